#pragma once
// The current user's settings store and data folder as the sign-in tests need them. TestEnv has already
// moved both to the test locations, away from the user's own files.
#include <QString>

namespace user_store {

// No connection settings stored, no last-user file, no local database file in the data folder.
void clear();
// The settings of the local database file at this path, as the settings form stores them.
void storeLocalDatabase(const QString &path);

} // namespace user_store
