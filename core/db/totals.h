#pragma once
// The count and sums of a list's search.
#include <QVector>
#include <optional>

namespace db {

// The number of rows and the sums, whole rials, of some fields.
struct Totals {
    qint64 count = 0;
    QVector<std::optional<qint64>> sums; // none where no row holds a value, as the database's sum
};

} // namespace db
