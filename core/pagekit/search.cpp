#include "pagekit/search.h"
#include "ui/busy.h"
#include <QLabel>

namespace pagekit {

namespace {

void setStatement(db::Query &list, const SearchStatements &s, const listpage::FilterLines &lines)
{
    if (s.listHead.isEmpty()) {
        list.restoreDeclared();
        list.add(s.listAnchor);
    } else {
        list.clear();
        list.add(s.listHead);
    }
    lines.addTo(list);
    // The ordering is a part of its own: the count and sums wrap the statement without it.
    list.setOrdering(s.listTail);
}

// The labels of the totals: numbers, not the driver's texts (whole rials, exact).
void showTotals(const SearchStatements &s, const db::Query::Totals &counted)
{
    SearchTotals totals;
    totals.count = counted.count;
    if (s.count)
        s.count->setText(QString::number(totals.count));
    for (qsizetype i = 0; i < s.sums.size(); ++i) {
        const auto &[name, label] = s.sums.at(i);
        const std::optional<qint64> sum = counted.sums.value(i);
        totals.sums.insert(name, sum.value_or(0));
        if (label)
            label->setText(sum ? listpage::groupedTotal(QString::number(*sum)) : s.emptyTotal);
    }
    if (s.totalled)
        s.totalled(totals);
}

} // namespace

void runSearch(db::Query &list, const SearchStatements &statements, const listpage::FilterLines &lines)
{
    const ui::BusyCursor busy;
    // The labels say nothing until the totals of this search are known.
    if (statements.count)
        statements.count->clear();
    for (const auto &[name, label] : statements.sums)
        if (label)
            label->clear();
    setStatement(list, statements, lines);
    list.open();
    if (!statements.count && statements.sums.isEmpty())
        return;
    QStringList fields;
    for (const auto &[name, label] : statements.sums)
        fields << name;
    // Asked once the first rows are there (counted beside them, the first rows would come later). The page's
    // labels outlive any search; the statements are copied for the moment the totals come.
    list.whenTotalled(fields, [statements](const db::Query::Totals &counted) { showTotals(statements, counted); });
}

} // namespace pagekit
