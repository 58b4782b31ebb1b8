// New, edited and deleted rows of a query, written to its base table, and the rows' calculated fields.
#include "db/query_private.h"
#include "db/sqltext.h"

namespace db {

using namespace Qt::StringLiterals;
using detail::Column;

// Fills the calculated fields of one stored row, the row being current for the handler. A row the handler
// cannot fill keeps them empty: the list still shows.
void Query::Private::fillRow(int stored)
{
    calculating = true;
    calcRow = stored;
    try {
        calcFields(*q);
    } catch (const std::exception &) {
        for (Column &c : result.columns)
            if (c.def.calculated)
                c.set(stored, QVariant());
    }
    calculating = false;
    if (size_t(stored) >= calculated.size())
        calculated.resize(size_t(result.rows), false);
    calculated[size_t(stored)] = true;
}

void Query::Private::fillCalculated(int stored)
{
    if (calcFields && !calculating && !(size_t(stored) < calculated.size() && calculated[size_t(stored)]))
        fillRow(stored);
}

void Query::Private::fillAllCalculated()
{
    for (int row = 0; row < int(result.rows); ++row)
        fillCalculated(row);
}

// The column of a cell read by position (grid, exports), its calculated fields filled first.
const Column &Query::Private::cellColumn(int row, int field)
{
    const Column &c = result.columns[size_t(field)];
    if (c.def.calculated)
        fillCalculated(storedAt(row));
    return c;
}

// Fills the rows now (a posted row), whether or not they were filled before.
void Query::Private::calculate(int from, int to)
{
    if (!calcFields)
        return;
    for (int row = from; row < to; ++row)
        fillRow(storedAt(row));
}

QString Query::Private::table() const
{
    const QString table = detail::baseTableOf(q->text());
    if (table.isEmpty())
        throw Error(name + u": the statement names no table to write to"_s);
    return table;
}

void Query::Private::removeCurrentRow()
{
    const int row = current;
    order.erase(row);
    Q_EMIT q->rowRemoved(row);
    current = -2; // makes moveTo() report the row even when its index stays
    bof = count() == 0;
    eof = count() == 0;
    moveTo(std::min(row, count() - 1));
}

// A new empty row shown at `at`, in insert state and current.
void Query::Private::addRow(int at)
{
    checkBrowseMode();
    for (Column &column : result.columns)
        column.appendNull();
    order.insert(at, int(result.rows++), 1);
    state = State::Insert;
    pending.clear();
    Q_EMIT q->rowInserted(at);
    bof = eof = false;
    current = -2; // the new row may take the current row's index: still a move
    moveTo(at);
}

void Query::append()
{
    // The last row is the list's own last: the rows still to come are read first.
    d->readAll();
    d->addRow(d->count());
}

void Query::insert()
{
    d->addRow(std::max(d->current, 0));
}

void Query::edit()
{
    d->requireActive();
    if (d->state != State::Browse)
        return;
    // Editing an empty list starts a new row, as the older engine did.
    if (d->count() == 0) {
        insert();
        return;
    }
    d->requireCurrent();
    d->pending.clear();
    d->state = State::Edit;
}

void Query::post()
{
    d->requireActive();
    if (d->state == State::Browse)
        return;
    const int row = d->storedAt(d->current);
    if (d->state == State::Edit) {
        d->writer.update(d->table(), d->result.columns, row, d->idField(), d->pending);
    } else {
        const int id = d->idField();
        const QVariant newId = d->writer.insert(d->table(), d->result.columns, id, d->pending);
        if (id >= 0 && newId.isValid())
            d->pending.insert(id, detail::normalise(newId, d->result.columns[size_t(id)].def.type));
    }
    for (auto it = d->pending.cbegin(); it != d->pending.cend(); ++it)
        d->result.columns[size_t(it.key())].set(row, it.value());
    d->pending.clear();
    d->state = State::Browse;
    d->calculate(d->current, d->current + 1);
    Q_EMIT rowChanged(d->current);
}

void Query::cancel()
{
    if (d->state == State::Insert) {
        d->state = State::Browse;
        d->pending.clear();
        d->removeCurrentRow();
        return;
    }
    if (d->state == State::Edit)
        d->state = State::Browse;
    d->pending.clear();
}

void Query::deleteRecord()
{
    d->requireActive();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    if (d->count() == 0)
        throw Error(d->name + u": Cannot perform this operation on an empty dataset"_s);
    d->requireCurrent();
    d->pending.clear();
    d->state = State::Browse;
    // The row after it becomes current, one not read yet included: it is read first.
    if (d->rowsToCome() && d->current + 1 == d->count())
        d->reading->read(Private::scrollSlice);
    d->writer.remove(d->table(), d->result.columns, d->storedAt(d->current), d->idField());
    d->removeCurrentRow();
}

void Query::refresh()
{
    d->checkBrowseMode();
    const int id = d->idField();
    const QVariant currentId = id >= 0 && d->current >= 0 ? field(id).value() : QVariant();
    const int kept = d->current;
    const QString sort = d->sort;
    d->openRows();
    d->sort.clear();
    if (!sort.isEmpty())
        d->applySort(sort);
    // The current row stays on its record. A record the list no longer holds leaves no row current: moving to a
    // neighbour would make the next edit, delete or rights save hit a record the clerk did not pick. A list without
    // ids keeps the position.
    int row = -1;
    if (currentId.isValid())
        row = d->find(id, detail::normalise(currentId, fieldType(id)));
    else if (id < 0)
        row = std::min(kept, d->count() - 1);
    d->current = row;
    Q_EMIT opened();
    Q_EMIT currentChanged(d->current);
    // The totals are asked again of the statement run again: rows may have come or gone since they were counted.
    if (d->totals)
        d->askTotals();
    d->startReading();
}

void writeRow(Query &query, Query::State mode, const std::function<void(Query &)> &fill)
{
    const int before = query.recNo();
    if (mode == Query::State::Insert)
        query.append();
    else if (mode == Query::State::Edit)
        query.edit();
    else
        throw Error(u"A row is written by insert or edit"_s);
    try {
        fill(query);
        query.post();
    } catch (...) {
        // The refused row goes, and the current row is the one the user had before.
        query.cancel();
        if (before > 0)
            query.setRecNo(before);
        throw;
    }
}

} // namespace db
