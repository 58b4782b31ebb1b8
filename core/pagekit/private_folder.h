#pragma once
// The folder of this run's files handed to the desktop (workbooks, reports opened in the browser): private to
// the user, made on first use and kept after the program ends, since the program that opened a file may still
// be reading it.
#include <QString>

namespace pagekit {

// The folder's path; throws db::Error when it cannot be made.
QString privateFolder();

} // namespace pagekit
