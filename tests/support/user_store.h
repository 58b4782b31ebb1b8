#pragma once
// The current user's settings store and data folder as the sign-in tests need them, away from the user's
// own files and from other test programs running at the same time.
#include <QString>

namespace user_store {

// Gives this test program a settings store and data folder of its own, in a temporary folder kept to the
// end of the run. Call it before anything reads the settings.
void isolate();

// No connection settings stored, no last-user file, no local database file in the data folder.
void clear();
// The settings of the local database file at this path, as the settings form stores them.
void storeLocalDatabase(const QString &path);

} // namespace user_store
