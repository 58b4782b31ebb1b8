#pragma once
// An entry form writes through its list page's query. When the page has not searched yet, the query is
// opened on no rows, not on the whole table, so the grid shows just what the form adds.
#include "db/query.h"

namespace registers {

inline void openEmptyIfClosed(db::Query &list, const QString &table)
{
    if (list.active())
        return;
    list.clear();
    list.add(QStringLiteral("select * from ") + table + QStringLiteral(" where id=0 "));
    list.open();
}

} // namespace registers
