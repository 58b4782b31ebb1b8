#pragma once
// The search step of a list page: the count statement and the list statement built from the same filter
// lines, both run, and the count and sum labels filled from numbers (never from a driver's text).
#include "pagekit/listpage.h"
#include <QHash>
#include <QList>
#include <QString>
#include <utility>

class QLabel;

namespace pagekit {

struct SearchStatements {
    // The list: its head ("select * from chek where id<>-1 "; empty: the query's declared statement followed
    // by listAnchor), the filter lines, then the tail (" order by chek_dat desc ").
    QString listHead;
    QString listAnchor;
    QString listTail;
    // The count: its head selects the count as `c` and any sums under their own names
    // ("select count(*) as c,sum(mablagh_kol) as m from tavrelkol where id<>-1 "), then the filter lines.
    // Empty: the page has no count; only the list runs.
    QString countHead;
    bool countFirst = true;
    QLabel *count = nullptr;                           // receives c
    QList<std::pair<QString, QLabel *>> sums;          // alias -> label, grouped with ","; null shows emptyTotal
    QString emptyTotal;                                // what a sum of no rows shows ("" or "0")
};

// The numbers of the count statement: c and every sum (0 for a null sum).
struct SearchTotals {
    qint64 count = 0;
    QHash<QString, qint64> sums;
};

// Runs both statements with a busy cursor: the list on the page's list query, the count on the data module's
// general query ADOQuery1. A refused statement stops the search there.
SearchTotals runSearch(db::Query &list, const SearchStatements &statements, const listpage::FilterLines &lines);

} // namespace pagekit
