#pragma once
// The generated databases of the benchmarks, read and written straight through the sqlite3 C API.
#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;

namespace bench {

// Stops the benchmark with the engine's message when a call failed.
void check(int rc, sqlite3 *db);

// The rows of the table in the file; -1 when the file or the table cannot be read.
int tableRows(const QString &path, const char *table);

// A generated database kept between runs: `<folder>/<name>-<rows>.sqlite`. existing: it is there already with
// that many rows in the table; the schema routine then brings it up to date (the indexes a newer program makes).
// Otherwise it is made anew with the program's own tables (through the data module's connection, forms::dm) and
// `db` is that file opened for one bulk insert; finish() commits and closes.
struct GeneratedDatabase {
    GeneratedDatabase(const QString &folder, const QString &name, const char *table, int rows);
    void finish();
    QString path;
    bool existing = false;
    sqlite3 *db = nullptr;
};

// The file opened as the program's list reader opens it: read only, no lock taken at each call, the same
// busy timeout and page cache. Closed by sqlite3_close.
sqlite3 *openAsReader(const QString &path);

// Reads every column of every row the statement returns, its '?' bound to the values in order, as the engine
// gives them (text as UTF-8, numbers as numbers): the least any reader of the same rows must do. Returns the rows.
int rawRead(const QString &path, const QString &statement, const QVariantList &values);

// The count and the sums of the columns over the statement's rows, run bare as the one aggregate
// `select count(*), sum(<column>)... from (<statement>) t`, the statement without a last "order by" line.
// Returns the count.
qint64 bareAggregate(const QString &path, const QString &statement, const QVariantList &values,
                     const QStringList &columns);

} // namespace bench
