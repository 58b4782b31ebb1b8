#include "db/dialect.h"

namespace db {
namespace {

using namespace Qt::StringLiterals;

// What both engines write alike; the subclasses render the differences.
class CommonDialect : public Dialect {
public:
    QString createTable(const QString &table, const QVector<ColumnDef> &columns) const override
    {
        QStringList parts;
        for (const ColumnDef &column : columns)
            parts << column.name + u' ' + columnType(column);
        return u"create table "_s + table + u" ("_s + parts.join(u", "_s) + u')';
    }

    QString insertWithDefaults(const QString &table, const QStringList &columns,
                               const QVector<bool> &isDefault) const override
    {
        QStringList names;
        QStringList values;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const bool byDefault = i < isDefault.size() && isDefault.at(i);
            if (byDefault && !defaultInValueList())
                continue;
            names << columns.at(i);
            values << (byDefault ? u"DEFAULT"_s : u"?"_s);
        }
        if (names.isEmpty())
            return u"insert into "_s + table + u" default values"_s;
        return u"insert into "_s + table + u" ("_s + names.join(u", "_s) + u") values ("_s
               + values.join(u", "_s) + u')';
    }

protected:
    virtual bool defaultInValueList() const = 0;

    QString quotedList(const QStringList &names) const
    {
        QStringList quoted;
        for (const QString &name : names)
            quoted << quoteIdentifier(name);
        return quoted.join(u", "_s);
    }

    static QString quotedText(const QString &text) { return u'\'' + QString(text).replace(u"'"_s, u"''"_s) + u'\''; }

    static QString placeholders(qsizetype count)
    {
        QStringList marks;
        marks.fill(u"?"_s, count);
        return marks.join(u", "_s);
    }

    static QString sizedType(const char *name, int size)
    {
        return QString::fromLatin1(name) + u'(' + QString::number(size > 0 ? size : 255) + u')';
    }

    // The spelling both engines accept; SQLite derives its column affinity from it.
    static QString plainType(const ColumnDef &column)
    {
        switch (column.type) {
        case ColumnType::Int: return u"int"_s;
        case ColumnType::BigInt: return u"bigint"_s;
        case ColumnType::NVarChar: return sizedType("nvarchar", column.size);
        case ColumnType::VarChar: return sizedType("varchar", column.size);
        case ColumnType::NText: return u"ntext"_s;
        case ColumnType::Money: return u"money"_s;
        case ColumnType::Float: return u"float"_s;
        case ColumnType::Bit: return u"bit"_s;
        case ColumnType::DateTime: return u"datetime"_s;
        case ColumnType::Image: return u"image"_s;
        }
        return u"int"_s;
    }
};

class SqlServerDialect final : public CommonDialect {
public:
    Engine engine() const override { return Engine::SqlServer; }

    QString columnType(const ColumnDef &column) const override
    {
        QString type = plainType(column);
        if (column.identityKey)
            type += u" identity primary key"_s;
        if (column.defaultNow)
            type += u" DEFAULT "_s + now();
        return type;
    }

    QStringList addColumns(const QString &table, const QVector<ColumnDef> &columns) const override
    {
        QStringList parts;
        for (const ColumnDef &column : columns)
            parts << column.name + u' ' + columnType(column);
        return {u"alter table "_s + table + u" add "_s + parts.join(u", "_s)};
    }

    // SQL Server knows no "if not exists" on an index: the catalogue is asked first.
    QString createIndex(const QString &name, const QString &table, const QStringList &columns) const override
    {
        return u"if not exists (select 1 from sys.indexes where name = "_s + quotedText(name)
               + u" and object_id = object_id("_s + quotedText(table) + u")) create index "_s + name + u" on "_s + table
               + u" ("_s + columns.join(u", "_s) + u')';
    }

    // One statement: SCOPE_IDENTITY() in a later batch of a prepared statement no longer sees the insert.
    QStringList insertFetchingId(const QString &table, const QStringList &columns) const override
    {
        if (columns.isEmpty())
            return {u"insert into "_s + quoteTable(table) + u" output inserted.[id] default values"_s};
        return {u"insert into "_s + quoteTable(table) + u" ("_s + quotedList(columns)
                + u") output inserted.[id] values ("_s + placeholders(columns.size()) + u')'};
    }

    QString lastInsertId() const override { return u"SELECT CAST(SCOPE_IDENTITY() AS bigint)"_s; }
    QString now() const override { return u"GETDATE()"_s; }
    QStringList sessionSettings() const override { return {u"SET TEXTSIZE 2147483647"_s}; }
    QString lockedTable(const QString &table) const override
    {
        return quoteTable(table) + u" WITH (UPDLOCK, HOLDLOCK)"_s;
    }
    QString beginWrite() const override { return u"BEGIN TRANSACTION"_s; }
    QString backup(const QString &database) const override
    {
        return u"BACKUP DATABASE "_s + quoteIdentifier(database) + u" TO DISK = ?"_s;
    }
    QString quoteIdentifier(const QString &name) const override
    {
        return u'[' + QString(name).replace(u"]"_s, u"]]"_s) + u']';
    }
    bool comparesText(int size) const override { return size > 0 && size <= 4000; }

protected:
    bool defaultInValueList() const override { return true; }
};

class SqliteDialect final : public CommonDialect {
public:
    Engine engine() const override { return Engine::SQLite; }

    QString columnType(const ColumnDef &column) const override
    {
        // Only this spelling makes the key the row id, numbered by the database from 1 upward.
        if (column.identityKey)
            return u"integer primary key autoincrement"_s;
        QString type = column.type == ColumnType::Image ? u"blob"_s : plainType(column);
        if (column.defaultNow)
            type += u" DEFAULT ("_s + now() + u')';
        return type;
    }

    // SQLite adds one column per statement.
    QStringList addColumns(const QString &table, const QVector<ColumnDef> &columns) const override
    {
        QStringList statements;
        for (const ColumnDef &column : columns)
            statements << u"alter table "_s + table + u" add column "_s + column.name + u' ' + columnType(column);
        return statements;
    }

    QString createIndex(const QString &name, const QString &table, const QStringList &columns) const override
    {
        return u"create index if not exists "_s + name + u" on "_s + table + u" ("_s + columns.join(u", "_s) + u')';
    }

    QStringList insertFetchingId(const QString &table, const QStringList &columns) const override
    {
        const QString insert = columns.isEmpty()
            ? QString(u"insert into "_s + quoteTable(table) + u" default values"_s)
            : QString(u"insert into "_s + quoteTable(table) + u" ("_s + quotedList(columns) + u") values ("_s
                      + placeholders(columns.size()) + u')');
        return {insert, lastInsertId()};
    }

    QString lastInsertId() const override { return u"select last_insert_rowid()"_s; }
    // GETDATE() is the server's local time; CURRENT_TIMESTAMP alone would be UTC.
    QString now() const override { return u"datetime('now','localtime')"_s; }
    QStringList sessionSettings() const override { return {}; }
    QString lockedTable(const QString &table) const override { return quoteTable(table); }
    QString beginWrite() const override { return u"BEGIN IMMEDIATE"_s; }
    QString backup(const QString &) const override { return u"VACUUM INTO ?"_s; }
    QString quoteIdentifier(const QString &name) const override
    {
        return u'"' + QString(name).replace(u"\""_s, u"\"\""_s) + u'"';
    }
    bool comparesText(int) const override { return true; }

protected:
    bool defaultInValueList() const override { return false; }
};

} // namespace

QString Dialect::quoteTable(const QString &table) const
{
    QStringList parts = table.split(u'.');
    for (QString &part : parts)
        part = quoteIdentifier(part);
    return parts.join(u'.');
}

std::unique_ptr<Dialect> makeDialect(Engine engine)
{
    if (engine == Engine::SqlServer)
        return std::make_unique<SqlServerDialect>();
    return std::make_unique<SqliteDialect>();
}

} // namespace db
