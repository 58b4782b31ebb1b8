#pragma once
// Writing a backup of the connected database: the file's name from the solar date, and the statements that
// write it (SQL Server's own backup, or an SQLite copy that replaces an older one only once it is complete).
#include <QString>
#include <functional>

namespace db {
class Query;
}

namespace backup_file {

// "Tavrel1403_01_15" for the solar date "1403/01/15": no extension.
QString fileName(const QString &shamsiDate);

// The selected folder, this platform's separator and the file name.
QString pathIn(const QString &folder, const QString &name);

// Sets the command to the statement that writes a backup of the database to the path (the database server
// writes the file): the name quoted as an identifier, any name at all, the path bound.
void prepare(db::Query &command, const QString &database, const QString &path);

// How far the copy is: done of total pages (total 0 while unknown).
using Progress = std::function<void(qint64 done, qint64 total)>;

// Writes the backup through the command query; the statement has no time limit. On SQLite the copy goes to a
// part file beside the target and replaces it only when complete; a failure leaves the old file as it was and
// no part file or journal. The parts and locks that interrupted backups of any day left in the folder are
// removed at the next one (but a backup being made meanwhile keeps its own). A folder that can't be written
// is told as such; a full disk is db::Error of kind DiskFull with the Persian text. Throws db::Error.
void write(db::Query &command, const QString &database, const QString &path, const Progress &progress = {});

} // namespace backup_file
