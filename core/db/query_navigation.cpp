// Moving over a query's rows, finding one, and the client-side sort.
#include "db/query_private.h"
#include "db/feedback.h"
#include "db/sort.h"
#include <optional>

namespace db {

using namespace Qt::StringLiterals;
using detail::Column;

// The current row moves; the view follows.
void Query::Private::moveTo(int row)
{
    if (row == current)
        return;
    current = row;
    Q_EMIT q->currentChanged(current);
}

// Navigation, sorting and new rows first store a pending edit, as the older engine did.
void Query::Private::checkBrowseMode()
{
    requireActive();
    if (state != State::Browse)
        q->post();
}

// Orders the rows by "field ASC|DESC" (empty: as fetched); the current row stays on its record.
void Query::Private::applySort(const QString &text)
{
    readAll();
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    const int kept = current >= 0 ? storedAt(current) : -1;
    if (words.isEmpty()) {
        order.restoreStored();
    } else {
        const bool descending = words.size() > 1 && words.at(1).compare(u"DESC"_s, Qt::CaseInsensitive) == 0;
        if (words.size() > 2
            || (words.size() == 2 && !descending && words.at(1).compare(u"ASC"_s, Qt::CaseInsensitive) != 0))
            throw Error(name + u": the sort \""_s + text + u"\" is not \"field ASC\" or \"field DESC\""_s);
        const int field = q->fieldByName(words.front()).index();
        if (result.columns[size_t(field)].def.calculated)
            fillAllCalculated();
        detail::sortRows(order.numbers(), result.columns[size_t(field)], descending);
    }
    sort = text;
    if (kept >= 0)
        current = order.shownOf(kept);
}

int Query::Private::find(int field, const QVariant &wanted)
{
    const Column &c = result.columns[size_t(field)];
    // The walk may read every row still to come.
    std::optional<feedback::Waiting> waiting;
    if (rowsToCome())
        waiting.emplace();
    if (c.def.calculated) {
        readAll();
        fillAllCalculated();
    }
    const QByteArray wantedText = wanted.toString().toUtf8();
    for (int i = 0; (readUntil(i), i < count()); ++i) {
        const int row = storedAt(i);
        if (!wanted.isValid() || c.isNull(row)) {
            if (!wanted.isValid() && c.isNull(row))
                return i;
            continue;
        }
        switch (c.storage) {
        case detail::Storage::Text:
            if (c.textCells().equals(row, wantedText))
                return i;
            break;
        case detail::Storage::Integer:
            if (c.integerAt(row) == wanted.toLongLong())
                return i;
            break;
        case detail::Storage::Real:
            if (c.realAt(row) == wanted.toDouble())
                return i;
            break;
        default:
            if (c.value(row) == wanted)
                return i;
        }
    }
    return -1;
}

int Query::recordCount() const
{
    d->readAll();
    return d->count();
}

bool Query::isEmpty() const
{
    d->readUntil(0);
    return d->count() == 0;
}

int Query::recNo() const
{
    return d->current + 1;
}

void Query::setRecNo(int recNo)
{
    d->checkBrowseMode();
    d->readUntil(recNo - 1);
    if (d->count() == 0)
        return;
    d->bof = d->eof = false;
    d->moveTo(std::clamp(recNo, 1, d->count()) - 1);
}

void Query::first()
{
    d->checkBrowseMode();
    d->readUntil(0);
    d->moveTo(d->count() > 0 ? 0 : -1);
    d->bof = true;
    d->eof = d->count() == 0;
}

void Query::last()
{
    d->checkBrowseMode();
    d->readAll();
    d->moveTo(d->count() - 1);
    d->eof = true;
    d->bof = d->count() == 0;
}

void Query::next()
{
    d->checkBrowseMode();
    d->readUntil(d->current + 1);
    if (d->current + 1 < d->count()) {
        d->bof = d->eof = false;
        d->moveTo(d->current + 1);
    } else {
        d->eof = true;
    }
}

void Query::prior()
{
    d->checkBrowseMode();
    if (d->current > 0) {
        d->bof = d->eof = false;
        d->moveTo(d->current - 1);
    } else {
        d->bof = true;
    }
}

bool Query::eof() const
{
    return d->state == State::Inactive || d->eof;
}

bool Query::bof() const
{
    return d->state == State::Inactive || d->bof;
}

bool Query::locate(const QString &fieldName, const QVariant &value)
{
    d->checkBrowseMode();
    const Field field = fieldByName(fieldName);
    const int row = d->find(field.index(), detail::normalise(value, field.type()));
    if (row < 0)
        return false;
    d->bof = d->eof = false;
    d->moveTo(row);
    return true;
}

void Query::setSort(const QString &sort)
{
    d->checkBrowseMode();
    d->applySort(sort);
    Q_EMIT opened();
    Q_EMIT currentChanged(d->current);
}

QString Query::sort() const
{
    return d->sort;
}

} // namespace db
