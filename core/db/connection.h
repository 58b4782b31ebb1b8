#pragma once
// The program's one database connection: an SQLite file or Microsoft SQL Server through ODBC (FreeTDS).
#include "db/dialect.h"
#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace db {

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

    void open();   // throws db::Error with the database's text; opening an open connection reopens it
    void close();
    bool connected() const;

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
    QString setting(const QString &key) const; // a value of the connection string, by its key
    QString name_;
    QString sqlName_; // this object's own Qt connection name
    QString connectionString_;
    std::unique_ptr<Dialect> dialect_;
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
