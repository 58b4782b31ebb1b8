#include "pagekit/search.h"
#include "dm_u.h"
#include "forms.h"
#include "ui/busy.h"
#include <QLabel>

namespace pagekit {

namespace {

void openList(db::Query &list, const SearchStatements &s, const listpage::FilterLines &lines)
{
    if (s.listHead.isEmpty()) {
        list.restoreDeclared();
        list.add(s.listAnchor);
    } else {
        list.clear();
        list.add(s.listHead);
    }
    lines.addTo(list);
    if (!s.listTail.isEmpty())
        list.add(s.listTail);
    list.open();
}

SearchTotals openCount(const SearchStatements &s, const listpage::FilterLines &lines)
{
    db::Query &count = *forms::dm->ADOQuery1;
    count.clear();
    count.add(s.countHead);
    lines.addTo(count);
    count.open();
    // Numbers, not the driver's texts: whole rials, exact.
    SearchTotals totals;
    totals.count = count.fieldByName(QStringLiteral("c")).asInteger();
    if (s.count)
        s.count->setText(QString::number(totals.count));
    for (const auto &[alias, label] : s.sums) {
        const db::Field sum = count.fieldByName(alias);
        totals.sums.insert(alias, sum.isNull() ? 0 : sum.asCurrency());
        if (label)
            label->setText(sum.isNull() ? s.emptyTotal : listpage::groupedTotal(QString::number(sum.asCurrency())));
    }
    return totals;
}

} // namespace

SearchTotals runSearch(db::Query &list, const SearchStatements &statements, const listpage::FilterLines &lines)
{
    const ui::BusyCursor busy;
    if (statements.countHead.isEmpty()) {
        openList(list, statements, lines);
        return {};
    }
    if (statements.countFirst) {
        const SearchTotals totals = openCount(statements, lines);
        openList(list, statements, lines);
        return totals;
    }
    openList(list, statements, lines);
    return openCount(statements, lines);
}

} // namespace pagekit
