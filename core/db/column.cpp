#include "db/column.h"
#include "db/error.h"
#include <QHashFunctions>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace db::detail {

using namespace Qt::StringLiterals;

Column::Column(const FieldDef &def, Storage storage) : def(def), storage(storage) {}

void Column::finish()
{
    text_.finish();
    integers_.finish();
}

qsizetype Column::memoryUsed() const
{
    qsizetype bytes = text_.memoryUsed() + qsizetype(integers_.memoryUsed() + reals_.size() * sizeof(double)
                                                      + nulls_.capacity() / 8);
    for (const QByteArray &cell : bytes_)
        bytes += cell.size() + qsizetype(sizeof(QByteArray));
    return bytes + qsizetype(variants_.size() * sizeof(QVariant));
}

bool Column::isNull(qsizetype row) const
{
    if (!unreadable_.isEmpty() && unreadable_.contains(row))
        return false;
    switch (storage) {
    case Storage::Text: return text_.isNull(row);
    case Storage::Variant: return !variants_[size_t(row)].isValid();
    default: return !nulls_.empty() && nulls_[size_t(row)];
    }
}

QVariant Column::value(qsizetype row) const
{
    if (!unreadable_.isEmpty() && unreadable_.contains(row))
        return unreadable_.value(row);
    if (isNull(row))
        return QVariant();
    switch (storage) {
    case Storage::Text: return text_.text(row);
    case Storage::Integer: return QVariant(integerAt(row));
    case Storage::Real: return QVariant(reals_[size_t(row)]);
    case Storage::Bytes: return QVariant(bytes_[size_t(row)]);
    case Storage::Variant: break;
    }
    return variants_[size_t(row)];
}

QString Column::text(qsizetype row) const
{
    if (storage == Storage::Text)
        return text_.text(row);
    return toText(value(row), def.type);
}

// Null marks are kept from the first null on; before it every cell of the column holds a value.
void Column::markNull(qsizetype row, bool null)
{
    if (nulls_.empty()) {
        if (!null)
            return;
        nulls_.assign(size_t(rows_), false);
    }
    if (row == qsizetype(nulls_.size()))
        nulls_.push_back(null);
    else
        nulls_[size_t(row)] = null;
}

void Column::setInteger(qsizetype row, qint64 value)
{
    if (size_t(row) == integers_.size())
        integers_.push_back(value);
    else
        integers_.set(size_t(row), value);
}

void Column::appendNull()
{
    switch (storage) {
    case Storage::Text: text_.appendNull(); break;
    case Storage::Integer:
        setInteger(rows_, rows_ > 0 ? integers_[size_t(rows_ - 1)] : 0);
        markNull(rows_, true);
        break;
    case Storage::Real: reals_.push_back(0); markNull(rows_, true); break;
    case Storage::Bytes: bytes_.emplace_back(); markNull(rows_, true); break;
    case Storage::Variant: variants_.emplace_back(); break;
    }
    ++rows_;
}

void Column::appendInteger(qint64 value)
{
    setInteger(rows_, value);
    markNull(rows_, false);
    ++rows_;
}

void Column::appendReal(double value)
{
    reals_.push_back(value);
    markNull(rows_, false);
    ++rows_;
}

void Column::appendBytes(QByteArray value)
{
    bytes_.push_back(std::move(value));
    markNull(rows_, false);
    ++rows_;
}

void Column::append(const QVariant &normalised)
{
    if (storage == Storage::Variant) {
        variants_.push_back(normalised);
        ++rows_;
        return;
    }
    if (!normalised.isValid()) {
        appendNull();
        return;
    }
    switch (storage) {
    case Storage::Text: {
        const QByteArray utf8 = normalised.toString().toUtf8();
        appendText(utf8.constData(), utf8.size());
        return;
    }
    case Storage::Integer: appendInteger(normalised.toLongLong()); return;
    case Storage::Real: appendReal(normalised.toDouble()); return;
    case Storage::Bytes: appendBytes(normalised.toByteArray()); return;
    case Storage::Variant: return;
    }
}

void Column::appendConverted(const QVariant &value)
{
    try {
        append(normalise(value, def.type));
    } catch (const Error &) {
        unreadable_.insert(rows_, value.toString());
        appendNull();
    }
}

void Column::set(qsizetype row, const QVariant &normalised)
{
    unreadable_.remove(row);
    const bool null = !normalised.isValid();
    switch (storage) {
    case Storage::Text:
        if (null)
            text_.setNull(row);
        else
            text_.set(row, normalised.toString());
        return;
    case Storage::Integer:
        if (!null) // a null keeps the value it had: it is marked, and widens nothing
            setInteger(row, normalised.toLongLong());
        break;
    case Storage::Real: reals_[size_t(row)] = null ? 0 : normalised.toDouble(); break;
    case Storage::Bytes: bytes_[size_t(row)] = null ? QByteArray() : normalised.toByteArray(); break;
    case Storage::Variant: variants_[size_t(row)] = normalised; return;
    }
    markNull(row, null);
}

} // namespace db::detail
