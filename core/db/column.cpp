#include "db/column.h"
#include "db/error.h"
#include <QHashFunctions>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace db::detail {

using namespace Qt::StringLiterals;

namespace {

// Values longer than this are stored as they come: they rarely repeat.
constexpr qsizetype longestShared = 256;
// Values seen are remembered under this many hashes per column.
constexpr size_t recentSize = 1024;
// A column that, over this many values, repeated fewer than one in eight stops looking for repeats.
constexpr size_t sharingWindow = 4096;

// A fast hash of a short text (a multiply-xorshift over 8-byte words); no stronger one is needed here.
quint32 hashOf(const char *data, qsizetype size)
{
    quint64 hash = 0x9e3779b97f4a7c15ull ^ quint64(size);
    const auto mix = [&hash](quint64 word) {
        hash = (hash ^ word) * 0xff51afd7ed558ccdull;
        hash ^= hash >> 32;
    };
    for (; size >= 8; data += 8, size -= 8) {
        quint64 word;
        std::memcpy(&word, data, 8);
        mix(word);
    }
    if (size > 0) {
        quint64 word = 0;
        std::memcpy(&word, data, size_t(size));
        mix(word);
    }
    hash *= 0xc4ceb9fe1a85ec53ull;
    return quint32(hash ^ (hash >> 29));
}

} // namespace

TextCells::~TextCells()
{
    std::free(buffer_);
}

TextCells::TextCells(TextCells &&other) noexcept
{
    *this = std::move(other);
}

TextCells &TextCells::operator=(TextCells &&other) noexcept
{
    if (this != &other) {
        std::free(buffer_);
        slots_ = std::move(other.slots_);
        recent_ = std::move(other.recent_);
        buffer_ = std::exchange(other.buffer_, nullptr);
        used_ = std::exchange(other.used_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        looked_ = other.looked_;
        found_ = other.found_;
        sharing_ = other.sharing_;
        shares_ = other.shares_;
    }
    return *this;
}

quint32 TextCells::store(const char *utf8, qsizetype size)
{
    const size_t needed = used_ + size_t(size);
    if (needed >= nullSize)
        throw Error(u"The result holds more text than one column can keep (4 GB)"_s);
    if (needed > capacity_) {
        // realloc moves large blocks by remapping pages, so growing by doubling copies nothing.
        size_t capacity = std::max<size_t>({size_t(64) * 1024, capacity_ * 2, needed});
        capacity = std::min<size_t>(capacity, nullSize);
        void *grown = std::realloc(buffer_, capacity);
        if (!grown)
            throw std::bad_alloc();
        buffer_ = static_cast<char *>(grown);
        capacity_ = capacity;
    }
    std::memcpy(buffer_ + used_, utf8, size_t(size));
    const auto offset = quint32(used_);
    used_ = needed;
    return offset;
}

quint32 TextCells::storeShared(const char *utf8, qsizetype size)
{
    if (!sharing_ || size > longestShared)
        return store(utf8, size);
    if (recent_.empty())
        recent_.assign(recentSize, Recent{0, 0, nullSize});
    const quint32 hash = hashOf(utf8, size);
    Recent &entry = recent_[hash & (recentSize - 1)];
    if (entry.hash == hash && entry.size == quint32(size)
        && std::memcmp(buffer_ + entry.offset, utf8, size_t(size)) == 0) {
        ++found_;
        shares_ = true;
    } else {
        entry = {hash, store(utf8, size), quint32(size)};
    }
    if (++looked_ == sharingWindow) {
        if (found_ * 8 < looked_)
            finish();
        looked_ = found_ = 0;
    }
    return entry.offset;
}

void TextCells::finish()
{
    sharing_ = false;
    std::vector<Recent>().swap(recent_);
}

void TextCells::append(const char *utf8, qsizetype size)
{
    slots_.push_back({size ? storeShared(utf8, size) : 0, quint32(size)});
}

void TextCells::set(qsizetype row, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    slots_[size_t(row)] = {utf8.isEmpty() ? 0 : store(utf8.constData(), utf8.size()), quint32(utf8.size())};
}

Column::Column(const FieldDef &def, Storage storage) : def(def), storage(storage) {}

void Column::finish()
{
    text_.finish();
}

qsizetype Column::rows() const
{
    switch (storage) {
    case Storage::Text: return text_.rows();
    case Storage::Variant: return qsizetype(variants_.size());
    default: return qsizetype(nulls_.size());
    }
}

void Column::reserve(qsizetype rows)
{
    switch (storage) {
    case Storage::Text: text_.reserve(rows); return;
    case Storage::Integer: integers_.reserve(size_t(rows)); break;
    case Storage::Real: reals_.reserve(size_t(rows)); break;
    case Storage::Bytes: bytes_.reserve(size_t(rows)); break;
    case Storage::Variant: variants_.reserve(size_t(rows)); return;
    }
    nulls_.reserve(size_t(rows));
}

bool Column::isNull(qsizetype row) const
{
    if (!unreadable_.isEmpty() && unreadable_.contains(row))
        return false;
    switch (storage) {
    case Storage::Text: return text_.isNull(row);
    case Storage::Variant: return !variants_[size_t(row)].isValid();
    default: return nulls_[size_t(row)];
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
    case Storage::Integer: return QVariant(integers_[size_t(row)]);
    case Storage::Real: return QVariant(reals_[size_t(row)]);
    case Storage::Bytes: return QVariant(bytes_[size_t(row)]);
    case Storage::Variant: break;
    }
    return variants_[size_t(row)];
}

QString Column::text(qsizetype row) const
{
    if (storage == Storage::Text)
        return text_.isNull(row) ? QString() : text_.text(row);
    return toText(value(row), def.type);
}

void Column::appendNull()
{
    switch (storage) {
    case Storage::Text: text_.appendNull(); return;
    case Storage::Integer: integers_.push_back(0); break;
    case Storage::Real: reals_.push_back(0); break;
    case Storage::Bytes: bytes_.emplace_back(); break;
    case Storage::Variant: variants_.emplace_back(); return;
    }
    nulls_.push_back(true);
}

void Column::appendInteger(qint64 value)
{
    integers_.push_back(value);
    nulls_.push_back(false);
}

void Column::appendReal(double value)
{
    reals_.push_back(value);
    nulls_.push_back(false);
}

void Column::appendBytes(QByteArray value)
{
    bytes_.push_back(std::move(value));
    nulls_.push_back(false);
}

void Column::append(const QVariant &normalised)
{
    if (storage == Storage::Variant) {
        variants_.push_back(normalised);
        return;
    }
    appendNull();
    set(rows() - 1, normalised);
}

void Column::appendConverted(const QVariant &value)
{
    try {
        append(normalise(value, def.type));
    } catch (const Error &) {
        unreadable_.insert(rows(), value.toString());
        appendNull();
    }
}

void Column::set(qsizetype row, const QVariant &normalised)
{
    unreadable_.remove(row);
    const bool null = !normalised.isValid();
    const auto r = size_t(row);
    switch (storage) {
    case Storage::Text:
        if (null)
            text_.setNull(row);
        else
            text_.set(row, normalised.toString());
        return;
    case Storage::Integer: integers_[r] = null ? 0 : normalised.toLongLong(); break;
    case Storage::Real: reals_[r] = null ? 0 : normalised.toDouble(); break;
    case Storage::Bytes: bytes_[r] = null ? QByteArray() : normalised.toByteArray(); break;
    case Storage::Variant: variants_[r] = normalised; return;
    }
    nulls_[r] = null;
}

} // namespace db::detail
