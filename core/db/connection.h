#pragma once
// The program's one database connection: an SQLite file or Microsoft SQL Server through ODBC (FreeTDS).
#include "db/dialect.h"
#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace db {

// How long the connection waits. SQL Server: reaching the server and signing in, and a statement that gets no
// answer (0: no limit); SQLite: another program's write lock on the file.
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

    // The connection string says which engine: "Provider=SQLite;Data Source=<file>" opens (and creates) an
    // SQLite file; any other text is an ODBC connection string ("DRIVER=FreeTDS;SERVER=...;...").
    void setConnectionString(const QString &text);
    QString connectionString() const { return connectionString_; }

    // Throws db::Error with the database's text (a locked or read-only SQLite file with the Persian text of
    // its kind) and leaves the connection closed; opening an open connection reopens it. An SQLite file that
    // does not exist is created, in a folder that must exist.
    void open();
    void close();
    bool connected() const;

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

private:
    void openSqlite();
    void openOdbc();
    QString setting(const QString &key) const; // a value of the connection string, by its key
    QString name_;
    QString sqlName_; // this object's own Qt connection name
    QString connectionString_;
    std::unique_ptr<Dialect> dialect_;
    Timeouts timeouts_;
};

// While it lives, statements on the connection have no time limit: a backup takes as long as the database
// needs.
class UnlimitedStatements {
public:
    explicit UnlimitedStatements(Connection &connection);
    ~UnlimitedStatements();
    UnlimitedStatements(const UnlimitedStatements &) = delete;
    UnlimitedStatements &operator=(const UnlimitedStatements &) = delete;

private:
    Connection &connection_;
    int kept_;
};

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

// Adds all columns to the table or, when the database refuses one, none of them.
void addColumnsAtomically(Connection &connection, const QString &table, const QVector<ColumnDef> &columns);

} // namespace db
