// A query's rows read in turns: the first slice on open, the rest between the user's events until the last, or
// as far as a command needs them at once.
#include "db/query_private.h"
#include "db/feedback.h"
#include "db/statement.h"
#include <optional>

namespace db {

void Query::Private::openRows()
{
    reading.reset();
    std::unique_ptr<detail::RowSource> source =
        incremental ? detail::sliceSource(q->connection(), q->text(), q->bindings()) : nullptr;
    if (!source) {
        install(detail::fetch(q->connection(), q->text(), q->bindings(), declaredFields, name));
        return;
    }
    auto reader = std::make_unique<detail::RowReader>(std::move(source), declaredFields, name);
    install(reader->columns());
    detail::ReadInTurns::Owner owner;
    owner.rows = &result;
    owner.arrived = [this](qsizetype first, qsizetype rows, bool more) { arrived(first, rows, more); };
    // A read that fails leaves no rows: nothing may take a part for the whole.
    owner.failed = [this] {
        totals.reset();
        dropRows();
    };
    owner.givenUp = [this] { q->close(); };
    reading = std::make_unique<detail::ReadInTurns>(q->connection(), std::move(reader), std::move(owner));
    reading->read(firstSlice);
    atFirst();
}

// Rows read go after the last row shown (a row is only appended once every row was read).
void Query::Private::arrived(qsizetype first, qsizetype rows, bool)
{
    const int at = count();
    if (rows == 0)
        return;
    order.insert(at, int(first), int(rows));
    Q_EMIT q->rowsFetched(at, at + int(rows) - 1);
}

void Query::Private::startReading()
{
    if (reading)
        reading->start();
}

// Nothing more is read; the reader goes at once (the object itself may be in the middle of its turn).
void Query::Private::stopReading()
{
    if (reading)
        reading->stop();
}

void Query::Private::readAll()
{
    if (rowsToCome())
        reading->finish();
}

// Reads until the shown row exists or nothing is left.
void Query::Private::readUntil(int row)
{
    std::optional<feedback::Waiting> waiting;
    while (rowsToCome() && row >= count()) {
        if (!waiting && row - count() > firstSlice)
            waiting.emplace();
        reading->read(std::max(scrollSlice, row - count() + 1));
    }
}

bool Query::hasMoreRows() const
{
    return d->rowsToCome();
}

int Query::fetchedCount() const
{
    return d->count();
}

void Query::fetchMore(int rows)
{
    if (d->rowsToCome())
        d->reading->read(std::max(rows, 1));
}

void Query::fetchAll()
{
    d->readAll();
}

} // namespace db
