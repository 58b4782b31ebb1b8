#pragma once
// The generated databases of the benchmarks, read and written straight through the sqlite3 C API.
#include <QString>

struct sqlite3;

namespace bench {

// Stops the benchmark with the engine's message when a call failed.
void check(int rc, sqlite3 *db);

// The rows of the table in the file; -1 when the file or the table cannot be read.
int tableRows(const QString &path, const char *table);

// A generated database kept between runs: `<folder>/<name>-<rows>.sqlite`. existing: it is there already with
// that many rows in the table. Otherwise it is made anew with the program's own tables (through the data
// module's connection, forms::dm) and `db` is that file opened for one bulk insert; finish() commits and closes.
struct GeneratedDatabase {
    GeneratedDatabase(const QString &folder, const QString &name, const char *table, int rows);
    void finish();
    QString path;
    bool existing = false;
    sqlite3 *db = nullptr;
};

// Reads every column of every row the statement returns, its one '?' bound to `like`, as the engine gives
// them (text as UTF-8, numbers as numbers): the least any reader of the same rows must do. Returns the rows.
int rawRead(const QString &path, const QString &statement, const QString &like);

} // namespace bench
