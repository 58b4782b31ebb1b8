// A query's count and sums: one aggregate over the statement without its ordering, run apart.
#include "db/query_private.h"
#include "db/feedback.h"

namespace db {

void Query::Private::askTotals()
{
    TotalsRequest &request = *totals;
    const QString sql = detail::totalsStatement(q->connection().dialect(), lines.join(u'\n'), request.fields);
    request.running = std::make_unique<detail::Aggregate>(
        q->connection(), sql, q->bindings(), [done = request.done](const Totals &counted) { done(counted); },
        // The labels stay empty; the failure is told, as nobody waits for it.
        [](const Error &error) { feedback::failed(error); });
}

void Query::whenTotalled(const QStringList &fields, std::function<void(const Totals &)> done)
{
    d->requireActive();
    for (const QString &name : fields)
        fieldByName(name); // an unknown field is refused now, not when the rows are counted
    d->totals = std::make_unique<Private::TotalsRequest>();
    d->totals->fields = fields;
    d->totals->done = std::move(done);
    d->askTotals();
}

void Query::finishTotals()
{
    if (totalsPending())
        d->totals->running->wait();
}

bool Query::totalsPending() const
{
    return d->totals && !d->totals->running->answered();
}

} // namespace db
