#pragma once
// Runs one statement on a connection. SQLite goes straight through its C interface on the connection's own
// handle: Qt's per-cell path costs several times more on a large result. Other engines use QSqlQuery.
#include "db/connection.h"
#include "db/error.h"
#include <QSqlQuery>
#include <QVariantList>
#include <functional>
#include <memory>

class QSqlError;
struct sqlite3;
struct sqlite3_stmt;

namespace db::detail {

// The text a refusal reports: the database's own words when the driver passes them on, else Qt's.
QString errorText(const QSqlError &error);
// The error of an ODBC refusal: a server that did not answer in time reads in Persian, the driver's reason
// on a second line.
Error odbcError(const QSqlError &error);
// Throws the error of an ODBC refusal on the connection. When the driver finds the link to the server broken,
// the connection is dropped (the next statement reconnects) and the error says so in Persian, the driver's
// reason on a second line.
[[noreturn]] void failOdbc(Connection &connection, const QSqlError &error);

// The error of an SQLite refusal (its result code): a locked, read-only or full database in Persian.
Error sqliteError(sqlite3 *db, int code);

// The open SQLite handle of the connection, or nullptr when the connection is to another engine. A closed
// connection stays closed (db::Error, Kind::NotConnected); a dropped one is opened again.
sqlite3 *sqliteHandle(Connection &connection);

// The file a reader of its own may open to read what the connection sees: empty when the connection is to
// another engine, has no file (a database in memory), or is inside a transaction (whose own writes only the
// connection sees).
QByteArray sqliteReaderFile(Connection &connection);
// A read-only handle of its own on the database file, closed once the last holder lets it go; nullptr when the
// file can't be opened. Only the thread that opened it uses it: it takes no lock at each call.
std::shared_ptr<sqlite3> openSqliteReader(const QByteArray &file, int busyMilliseconds);

class SqliteStatement {
public:
    SqliteStatement(sqlite3 *db, const QString &sql, const QVariantList &values);
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool step(); // true while a row is there; db::Error with the database's text when refused
    sqlite3_stmt *handle() const { return statement_.get(); }

private:
    [[noreturn]] void fail() const;
    void bind(int index, const QVariant &value);
    // Finalized however the statement ends, a constructor refusing it after the prepare included: an
    // unfinalized statement keeps the file open after the connection is closed.
    struct Finalizer {
        void operator()(sqlite3_stmt *statement) const;
    };
    sqlite3 *db_;
    // The bound blobs, shared with the caller's values rather than copied: a stored file is not held twice.
    // Declared before the statement, so they outlive it.
    QList<QByteArray> blobs_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// Prepared, bound and run forward-only, decimals as exact text, abandoned when the server does not answer
// within the connection's statement time; db::Error with the database's text. `prepared` is given the ODBC
// statement's handle before it runs (to cancel it from another thread).
QSqlQuery runOdbc(Connection &connection, const QString &sql, const QVariantList &values,
                  const std::function<void(void *statement)> &prepared = nullptr);
// The next row of an ODBC result on the connection: false at its end; a fetch that failed (a dropped
// network) is db::Error, never the end of the rows.
bool nextOdbcRow(Connection &connection, QSqlQuery &query);
// Sets the ODBC statement's query timeout (seconds, 0: none) through the driver manager; false when the
// driver manager or the driver does not take it.
bool setOdbcQueryTimeout(const QSqlQuery &query, int seconds);
// The ODBC statement handle of a query; nullptr when it has none.
void *odbcStatement(const QSqlQuery &query);
// Asks the driver to cancel the statement running on its handle (from any thread); false when it can't.
bool cancelOdbcStatement(void *statement);
// Whether the driver finds the ODBC connection's link to the server broken.
bool odbcLinkBroken(const QSqlDatabase &database);

// A statement that returns no rows; the rows it affected.
int execute(Connection &connection, const QString &sql, const QVariantList &values);
// The values of the first row (a null invalid); none when there is no row.
QVariantList firstRow(Connection &connection, const QString &sql, const QVariantList &values);
QVariantList firstRow(sqlite3 *db, const QString &sql, const QVariantList &values);
// The first value of the first row; invalid when there is no row.
QVariant scalar(Connection &connection, const QString &sql, const QVariantList &values);

} // namespace db::detail
