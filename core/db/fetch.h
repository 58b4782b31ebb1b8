#pragma once
// Reading a select's rows into columns. A source yields the driver's columns and rows; readAll() maps them
// onto the fields the query exposes (its declared fields, or every column of the result).
#include "db/column.h"
#include <memory>
#include <vector>

namespace db::detail {

struct ResultSet {
    std::vector<Column> columns;
    qsizetype rows = 0;
};

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // The field the driver describes for the column; storage Variant when it cannot say.
    virtual FieldDef describe(int column, Storage &storage) const = 0;
    virtual bool next() = 0;
    // Appends the current row's value of the source column to the target, converted to its storage.
    virtual void read(int column, Column &target) = 0;
};

ResultSet readAll(RowSource &source, const QVector<FieldDef> &declared, const QString &queryName);

std::unique_ptr<RowSource> sqliteSource(Connection &connection, const QString &sql, const QVariantList &values);
std::unique_ptr<RowSource> odbcSource(Connection &connection, const QString &sql, const QVariantList &values);

ResultSet fetch(Connection &connection, const QString &sql, const QVariantList &values,
                const QVector<FieldDef> &declared, const QString &queryName);

} // namespace db::detail
