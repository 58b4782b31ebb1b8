#pragma once
// The program's one database connection: an SQLite file or Microsoft SQL Server through ODBC (FreeTDS).
#include "db/dialect.h"
#include <QHash>
#include <QSqlDatabase>
#include <functional>
#include <QString>
#include <memory>

namespace db {

// How long the connection waits. SQL Server: reaching the server and signing in, and a statement that gets no
// answer, its cancel included (0: no limit); SQLite: another program's write lock on the file.
struct Timeouts {
    int connectSeconds = 15;
    int statementSeconds = 30;
    int busyMilliseconds = 5000;
};

class Connection {
public:
    explicit Connection(QString name);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // An ODBC connection string ("DRIVER=FreeTDS;SERVER=...;...") reaches SQL Server. The short form
    // "Provider=SQLite;Data Source=<file>" names an SQLite file (its parts split at ";" and trimmed).
    void setConnectionString(const QString &text);
    QString connectionString() const { return connectionString_; }
    // An SQLite database file, by its path taken whole: nothing in it is read as a separator or trimmed.
    void setDatabaseFile(const QString &path);

    // Throws db::Error with the database's text (a locked or read-only SQLite file with the Persian text of
    // its kind) and leaves the connection closed; opening an open connection reopens it. An SQLite file that
    // does not exist is created, in a folder that must exist.
    void open();
    // Closed on purpose: statements meet a closed connection until it is opened again.
    void close();
    bool connected() const;
    // Closes a connection whose link to the server broke; the next statement opens it again.
    void drop();
    // Before a statement: a dropped connection is opened again (db::Error NotConnected with the reason when
    // that fails, tried again at the next statement); one closed on purpose is db::Error NotConnected.
    void ensureOpen();

    // Take effect at the next open (connect and busy times) or the next statement (statement time).
    void setTimeouts(const Timeouts &timeouts) { timeouts_ = timeouts; }
    const Timeouts &timeouts() const { return timeouts_; }

    Engine engine() const { return dialect_->engine(); }
    const Dialect &dialect() const { return *dialect_; }
    QSqlDatabase database() const;
    QString databaseName() const; // the SQLite file path, or the DATABASE= of an ODBC string

    // Runs one statement that returns no rows; values bind to its '?' in order. Returns rows affected.
    int exec(const QString &sql, const QVariantList &values = {});

    void beginTransaction();
    void commit();
    void rollback();

    // Results still being read a slice at a time. One the connection's own channel carries (ODBC, one result
    // at a time) is read to its end before the connection runs anything else; each is given up when the
    // connection closes.
    struct PendingRead {
        std::function<void()> readRest;
        std::function<void()> giveUp;
        bool onChannel = false;
    };
    void addPendingRead(const void *owner, PendingRead read);
    void removePendingRead(const void *owner);
    void finishPendingReads(); // before any statement of the connection's own
    // SQLite: whether a reader left open would hold this connection's writes back (no write-ahead log).
    bool readersHoldWrites() const { return readersWait_; }

private:
    void openSqlite();
    void openOdbc();
    QString setting(const QString &key) const; // a value of the connection string, by its key
    void closeDatabase();
    QString name_;
    QString sqlName_; // this object's own Qt connection name
    QString connectionString_;
    QString file_; // the SQLite file
    bool dropped_ = false;
    bool readersWait_ = false; // SQLite without its write-ahead log: an open reader holds the writers back
    std::unique_ptr<Dialect> dialect_;
    Timeouts timeouts_;
    QHash<const void *, PendingRead> pending_;
};

// While it lives, a statement on the connection that gets no answer is given up after the seconds given (0:
// never, so a backup takes as long as the database needs); the connection's own limit comes back after.
class StatementLimit {
public:
    StatementLimit(Connection &connection, int seconds);
    ~StatementLimit();
    StatementLimit(const StatementLimit &) = delete;
    StatementLimit &operator=(const StatementLimit &) = delete;

private:
    Connection &connection_;
    int kept_;
};

// What the driver is told to wait for a statement's answer so that a server gone silent holds the statement no
// longer than its limit in seconds: FreeTDS waits that long for the answer and, having sent a cancel, as long
// again for the cancel's answer. 0 stays no limit; one second, the least the driver takes, stays one.
int driverWait(int limitSeconds);

// Begins a transaction on construction; rolls it back on destruction unless commit() ran.
class Transaction {
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &connection_;
    bool done_ = false;
};

} // namespace db
