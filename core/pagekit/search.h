#pragma once
// The search step of a list page: the list statement built from the filter lines and run, and the count and
// sum labels filled from numbers (never from a driver's text). The count and sums come from one aggregate over
// the list's own statement, run apart: the labels stay empty until it answers, a moment after the first rows.
#include "pagekit/listpage.h"
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <utility>

class QLabel;

namespace pagekit {

// The count and every sum (whole rials; 0 where no row holds a value), by the sum's field.
struct SearchTotals {
    qint64 count = 0;
    QHash<QString, qint64> sums;
};

struct SearchStatements {
    // The list: its head ("select * from chek where id<>-1 "; empty: the query's declared statement followed
    // by listAnchor), the filter lines, then the tail, its ordering (" order by chek_dat desc ").
    QString listHead;
    QString listAnchor;
    QString listTail;
    QLabel *count = nullptr;                           // the count; none and no sums: the page has no count
    // The sums: a field of the list, and its label (grouped with ","; where no row holds a value, emptyTotal).
    QList<std::pair<QString, QLabel *>> sums;
    QString emptyTotal;                                // what a sum of no rows shows ("" or "0")
    std::function<void(const SearchTotals &)> totalled; // runs once the totals are on their labels
};

// Runs the search with a busy cursor; a refused statement stops it there.
void runSearch(db::Query &list, const SearchStatements &statements, const listpage::FilterLines &lines);

} // namespace pagekit
