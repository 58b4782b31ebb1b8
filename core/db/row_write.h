#pragma once
// Writing a list's row back to its base table (the first table after "from") by its `id`: an edit writes only
// the fields that changed, and only while the row still holds what was read in them; a new row takes the id the
// database gives it. Calculated fields and fields of joined tables are never written.
#include "db/column.h"
#include <QHash>
#include <QSet>
#include <vector>

namespace db::detail {

class RowWriter {
public:
    RowWriter(Connection &connection, const QString &queryName) : connection_(connection), name_(queryName) {}

    void forget() { tableOfColumns_.clear(); } // the statement changed: the table's columns are asked again

    // Writes the pending fields that changed from the stored row's values; the others leave `pending`. Nothing
    // is written when the row changed or went meanwhile: db::Error RowChanged or RowDeleted.
    void update(const QString &table, const std::vector<Column> &columns, qsizetype row, int idField,
                QHash<int, QVariant> &pending);
    // Inserts the pending fields; the new row's id, invalid when the page gave it or the table has none.
    QVariant insert(const QString &table, const std::vector<Column> &columns, int idField,
                    const QHash<int, QVariant> &pending);
    // Deletes the row while it still holds what was read; db::Error RowChanged or RowDeleted otherwise.
    void remove(const QString &table, const std::vector<Column> &columns, qsizetype row, int idField);

private:
    QVariant idOf(const std::vector<Column> &columns, qsizetype row, int idField) const;
    [[noreturn]] void throwChangedOrDeleted(const QString &table, const QVariant &id);
    bool tableHas(const QString &table, const QString &column);
    QList<int> columnsOf(const QString &table, const std::vector<Column> &columns, const QHash<int, QVariant> &pending);
    void appendReadValueCondition(const std::vector<Column> &columns, qsizetype row, const QList<int> &written,
                                  QStringList &conditions, QVariantList &values);

    Connection &connection_;
    QString name_;
    QString tableOfColumns_;   // the base table whose column names are known
    QSet<QString> tableColumns_; // case-folded
};

} // namespace db::detail
