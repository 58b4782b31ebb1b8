#pragma once
// Every statement that differs between SQL Server and SQLite is rendered here, one method per difference.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace db {

enum class Engine { SQLite, SqlServer };

// Column types the schema uses, named after their SQL Server spelling.
enum class ColumnType {
    Int,       // int
    BigInt,    // bigint
    NVarChar,  // nvarchar(size)
    VarChar,   // varchar(size)
    NText,     // ntext
    Money,     // money (whole rials are stored; SQLite keeps an integer)
    Float,     // float
    Bit,       // bit
    DateTime,  // datetime
    Image,     // image / varbinary(max): file bytes
};

struct ColumnDef {
    QString name;
    ColumnType type = ColumnType::Int;
    int size = 0;               // characters, for NVarChar and VarChar
    bool identityKey = false;   // "id int identity primary key"
    bool defaultNow = false;    // DEFAULT GETDATE()
};

// Marks a value of an insert that the database fills from the column default.
struct DefaultValue {};

class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;

    // The column's type with its key and default clauses, as it stands in a create or alter statement.
    virtual QString columnType(const ColumnDef &column) const = 0;
    virtual QString createTable(const QString &table, const QVector<ColumnDef> &columns) const = 0;
    // One or more statements adding all columns (the schema routine runs a step's statements under one
    // savepoint: all or nothing).
    virtual QStringList addColumns(const QString &table, const QVector<ColumnDef> &columns) const = 0;
    // Makes the named index on the table's columns unless one of that name is there; running it again changes
    // nothing. Never unique: an index only speeds up the reads that sort or join on its columns.
    virtual QString createIndex(const QString &name, const QString &table, const QStringList &columns) const = 0;
    // An insert of the named columns; a column whose isDefault entry is true takes its default: DEFAULT
    // in the value list (SQL Server) or left out of the column list (SQLite). Other values are bound ('?').
    virtual QString insertWithDefaults(const QString &table, const QStringList &columns,
                                       const QVector<bool> &isDefault) const = 0;
    // The statements that insert a row of the named columns (values bound to the first statement, in
    // order; no columns: a row of defaults) and yield the new row's `id` as the one value of the last.
    virtual QStringList insertFetchingId(const QString &table, const QStringList &columns) const = 0;
    virtual QString lastInsertId() const = 0;          // select statement yielding the new row's id
    virtual QString now() const = 0;                   // the server's current local time as an expression
    // The statements a new connection runs before any other: on SQL Server the largest text size, so that a
    // driver's own setting (FreeTDS's "text size") can never cut a stored file short.
    virtual QStringList sessionSettings() const = 0;
    // The statement that backs the named database up into the file bound to its one '?'.
    virtual QString backup(const QString &database) const = 0;
    virtual QString quoteIdentifier(const QString &name) const = 0;
    // The table as a read inside a write transaction names it: on SQL Server with the hints that hold the
    // rows it reads (and the gaps between them) until the transaction ends, so a check and the write it
    // guards see the same data; SQLite's write transaction already holds the whole file.
    virtual QString lockedTable(const QString &table) const = 0;
    // The statement that starts a write transaction: the write lock is taken at once, not at the first write,
    // so two check-then-insert steps never interleave.
    virtual QString beginWrite() const = 0;
    // Whether a text column of this size (0: unknown or unlimited) can stand in an '=' condition: SQL Server
    // refuses it for ntext and compares nvarchar(max) only at a cost.
    virtual bool comparesText(int size) const = 0;
    QString quoteTable(const QString &table) const; // each part of "dbo.t" quoted on its own
};

std::unique_ptr<Dialect> makeDialect(Engine engine);

} // namespace db
