#pragma once
// The repeat checks of the entry forms: whether a row of a table already holds given values. Read with the
// dialect's locking hints, so inside a write transaction the answer holds until the write it guards.
#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

namespace pagekit {

using ColumnValues = QList<std::pair<QString, QVariant>>;

// True when a row of the table holds every value in its column (column = value, bound), on the data module's
// general query ADOQuery1.
bool rowExists(const QString &table, const ColumnValues &values);

} // namespace pagekit
