#include "db/row_write.h"
#include "db/statement.h"
#include <QDateTime>
#include <QSqlRecord>
#include <cmath>

namespace db::detail {

using namespace Qt::StringLiterals;

namespace {

// The value as the database takes it: nulls typed, so that SQL Server accepts a null image or date.
QVariant bound(const QVariant &value, FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return value.isValid() ? QVariant(value.toLongLong() != 0) : QVariant(QMetaType::fromType<bool>());
    case FieldType::DateTime:
        if (!value.isValid())
            return QVariant(QMetaType::fromType<QDateTime>());
        return toPublic(value, type);
    case FieldType::Blob: return value.isValid() ? value : QVariant(QMetaType::fromType<QByteArray>());
    default: break;
    }
    if (value.isValid())
        return value;
    switch (storageOf(type)) {
    case Storage::Integer: return QVariant(QMetaType::fromType<qint64>());
    case Storage::Real: return QVariant(QMetaType::fromType<double>());
    default: return QVariant(QMetaType::fromType<QString>());
    }
}

// Whether a field keeps the value it was read with. An empty text and a null are the same to the user (an
// untouched empty box), so neither replaces the other.
bool unchanged(const Column &column, qsizetype row, const QVariant &value)
{
    const QVariant old = column.value(row);
    if (column.storage == Storage::Text)
        return old.toString() == value.toString();
    if (old.isValid() != value.isValid())
        return false;
    return !old.isValid() || old == value;
}

} // namespace

bool RowWriter::tableHas(const QString &table, const QString &column)
{
    if (tableOfColumns_ != table) {
        // The driver asks the server on the connection, which must first read a list still pending there.
        connection_.finishPendingReads();
        const QSqlRecord record = connection_.database().record(table);
        if (record.isEmpty())
            throw Error(name_ + u": table '"_s + table + u"' not found"_s);
        tableColumns_.clear();
        for (int i = 0; i < record.count(); ++i)
            tableColumns_.insert(record.fieldName(i).toCaseFolded());
        tableOfColumns_ = table;
    }
    return tableColumns_.contains(column.toCaseFolded());
}

// The pending fields that are columns of the table, in field order.
QList<int> RowWriter::columnsOf(const QString &table, const std::vector<Column> &columns,
                                const QHash<int, QVariant> &pending)
{
    QList<int> fields;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        const FieldDef &def = columns[size_t(it.key())].def;
        if (!def.calculated && tableHas(table, def.name))
            fields << it.key();
    }
    std::sort(fields.begin(), fields.end());
    return fields;
}

// The condition that the row still holds what was read in the written fields, and its bound values. Fields
// whose old value can't be compared safely are left out: blobs and dates (image and datetime columns take no
// exact comparison on SQL Server), and on SQL Server text without a size or longer than 4,000 characters (ntext
// and nvarchar(max) refuse '=').
void RowWriter::appendReadValueCondition(const std::vector<Column> &columns, qsizetype row, const QList<int> &written,
                                         QStringList &conditions, QVariantList &values)
{
    const Dialect &dialect = connection_.dialect();
    for (int field : written) {
        const Column &c = columns[size_t(field)];
        const QString column = dialect.quoteIdentifier(c.def.name);
        const QVariant old = c.value(row);
        if (c.def.type == FieldType::Blob || c.def.type == FieldType::DateTime)
            continue;
        if (c.storage == Storage::Text && !dialect.comparesText(c.def.size))
            continue;
        if (!old.isValid()) {
            conditions << column + u" IS NULL"_s;
            continue;
        }
        if (old.typeId() == QMetaType::QString && c.storage != Storage::Text) {
            // A number column holding a text that is no number ("12x"): it is compared as that text.
            conditions << column + u" = ?"_s;
            values << old;
            continue;
        }
        switch (c.def.type) {
        case FieldType::Money:
            // Read as whole rials, rounded: a stored 1250000.4 is the 1250000 the user saw.
            conditions << u"ROUND("_s + column + u", 0) = ?"_s;
            values << old;
            break;
        case FieldType::Float:
        case FieldType::Bcd:
            // A float read through a driver's text may differ from the stored one in its last digits.
            conditions << u"ABS("_s + column + u" - ?) <= ?"_s;
            values << old << std::max(1e-9, std::fabs(old.toDouble()) * 1e-12);
            break;
        default:
            conditions << column + u" = ?"_s;
            values << bound(old, c.def.type);
        }
    }
}

QVariant RowWriter::idOf(const std::vector<Column> &columns, qsizetype row, int idField) const
{
    const QVariant value = idField < 0 ? QVariant() : columns[size_t(idField)].value(row);
    if (!value.isValid())
        throw Error(name_ + u": the row has no id to find it by in the table"_s);
    return value;
}

void RowWriter::update(const QString &table, const std::vector<Column> &columns, qsizetype row, int idField,
                       QHash<int, QVariant> &pending)
{
    QList<int> written;
    for (int field : columnsOf(table, columns, pending)) {
        if (unchanged(columns[size_t(field)], row, pending.value(field)))
            pending.remove(field); // the row keeps what it had, a null included
        else
            written << field;
    }
    if (written.isEmpty())
        return;
    const Dialect &dialect = connection_.dialect();
    QStringList assignments;
    QVariantList values;
    for (int field : written) {
        const FieldDef &def = columns[size_t(field)].def;
        assignments << dialect.quoteIdentifier(def.name) + u" = ?"_s;
        values << bound(pending.value(field), def.type);
    }
    const QVariant id = idOf(columns, row, idField);
    QStringList conditions{dialect.quoteIdentifier(u"id"_s) + u" = ?"_s};
    values << id;
    appendReadValueCondition(columns, row, written, conditions, values);
    const QString sql = u"update "_s + dialect.quoteTable(table) + u" set "_s + assignments.join(u", "_s)
                        + u" where "_s + conditions.join(u" and "_s);
    if (execute(connection_, sql, values) == 0)
        throwChangedOrDeleted(table, id);
}

// A write by id found no row holding what was read: told apart by whether the row is still there.
void RowWriter::throwChangedOrDeleted(const QString &table, const QVariant &id)
{
    const Dialect &dialect = connection_.dialect();
    const QString exists = u"select count(*) from "_s + dialect.quoteTable(table) + u" where "_s
                           + dialect.quoteIdentifier(u"id"_s) + u" = ?"_s;
    if (toInteger(scalar(connection_, exists, {id})) > 0)
        throw Error(message::rowChanged, Error::Kind::RowChanged);
    throw Error(message::rowDeleted, Error::Kind::RowDeleted);
}

QVariant RowWriter::insert(const QString &table, const std::vector<Column> &columns, int idField,
                           const QHash<int, QVariant> &pending)
{
    QStringList names;
    QVariantList values;
    for (int field : columnsOf(table, columns, pending)) {
        const FieldDef &def = columns[size_t(field)].def;
        names << def.name;
        values << bound(pending.value(field), def.type);
    }
    const Dialect &dialect = connection_.dialect();
    // The database numbers the row unless the page gave the id itself (or the table has none).
    if (!tableHas(table, u"id"_s) || (idField >= 0 && pending.value(idField).isValid())) {
        QStringList quoted;
        for (const QString &name : std::as_const(names))
            quoted << dialect.quoteIdentifier(name);
        const QVector<bool> noDefaults(names.size(), false);
        execute(connection_, dialect.insertWithDefaults(dialect.quoteTable(table), quoted, noDefaults), values);
        return QVariant();
    }
    const QStringList statements = dialect.insertFetchingId(table, names);
    if (statements.size() == 1)
        return scalar(connection_, statements.front(), values);
    execute(connection_, statements.front(), values);
    return scalar(connection_, statements.back(), {});
}

// The row goes only while it still holds what was read: a row another user changed meanwhile is not the one the
// clerk chose to delete.
void RowWriter::remove(const QString &table, const std::vector<Column> &columns, qsizetype row, int idField)
{
    QList<int> read;
    for (int field = 0; field < int(columns.size()); ++field)
        if (!columns[size_t(field)].def.calculated && tableHas(table, columns[size_t(field)].def.name))
            read << field;
    const Dialect &dialect = connection_.dialect();
    const QVariant id = idOf(columns, row, idField);
    QStringList conditions{dialect.quoteIdentifier(u"id"_s) + u" = ?"_s};
    QVariantList values{id};
    appendReadValueCondition(columns, row, read, conditions, values);
    const QString sql = u"delete from "_s + dialect.quoteTable(table) + u" where "_s + conditions.join(u" and "_s);
    if (execute(connection_, sql, values) == 0)
        throwChangedOrDeleted(table, id);
}

} // namespace db::detail
