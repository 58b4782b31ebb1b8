#pragma once
// Writing a backup of the connected database: the file's name from the solar date, and the statements that
// write it (SQL Server's own backup, or an SQLite copy that replaces an older one only once it is complete).
#include <QString>

namespace db {
class Query;
}

namespace backup_file {

// "Tavrel1403_01_15" for the solar date "1403/01/15": no extension.
QString fileName(const QString &shamsiDate);

// The selected folder, this platform's separator and the file name.
QString pathIn(const QString &folder, const QString &name);

// Whether the text names a database without quoting: a letter or "_", then letters, digits and "_".
bool isPlainIdentifier(const QString &name);

// Sets the command to the statement that writes a backup of the database to the path (the database server
// writes the file): the name quoted as an identifier, the path bound.
void prepare(db::Query &command, const QString &database, const QString &path);

// Writes the backup through the command query. On SQLite the copy goes to a temporary file beside the target
// and replaces it only when complete; a failure leaves the old file as it was and no temporary file.
// Throws db::Error.
void write(db::Query &command, const QString &database, const QString &path);

} // namespace backup_file
