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

namespace {

// Values longer than this are stored as they come: they rarely repeat.
constexpr qsizetype longestShared = 256;
// Values seen are remembered under this many hashes per column; a column that goes on repeating itself past
// its first window remembers more (a register's thousands of vendors and dates).
constexpr size_t recentSize = 1024;
constexpr size_t largeRecentSize = 8192;
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
        kept_ = other.kept_;
        uniform_ = other.uniform_;
        codes_ = std::move(other.codes_);
        dictionary_ = std::move(other.dictionary_);
        places_ = std::move(other.places_);
        rows_ = std::exchange(other.rows_, 0);
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
    unsigned char length[5];
    int lengthBytes = 0;
    for (auto rest = quint64(size);; rest >>= 7) {
        length[lengthBytes++] = (rest >= 0x80 ? 0x80 : 0) | (rest & 0x7f);
        if (rest < 0x80)
            break;
    }
    const size_t needed = used_ + size_t(lengthBytes) + size_t(size);
    if (needed >= nullPlace)
        throw Error(u"The result holds more text than one column can keep (4 GB)"_s);
    if (needed > capacity_) {
        // realloc moves large blocks by remapping pages, so growing by doubling copies nothing, and the
        // room not yet written takes no memory.
        size_t capacity = std::max<size_t>({size_t(4) * 1024, capacity_ * 2, needed});
        capacity = std::min<size_t>(capacity, nullPlace);
        void *grown = std::realloc(buffer_, capacity);
        if (!grown)
            throw std::bad_alloc();
        buffer_ = static_cast<char *>(grown);
        capacity_ = capacity;
    }
    const auto at = quint32(used_);
    std::memcpy(buffer_ + used_, length, size_t(lengthBytes));
    std::memcpy(buffer_ + used_ + lengthBytes, utf8, size_t(size));
    used_ = needed;
    return at;
}

void TextCells::append(const char *utf8, qsizetype size)
{
    if (!sharing_ || size > longestShared) {
        appendPlace(store(utf8, size), noCode);
        return;
    }
    if (recent_.empty())
        recent_.assign(recentSize, Recent{0, 0, nullPlace, noCode});
    const quint32 hash = hashOf(utf8, size);
    Recent &seen = recent_[hash & (recent_.size() - 1)];
    const bool found =
        seen.hash == hash && seen.size == quint32(size) && entry(seen.place) == QByteArrayView(utf8, size);
    if (!found)
        seen = {hash, store(utf8, size), quint32(size), noCode};
    seen.code = appendPlace(seen.place, seen.code);
    lookedAt(found); // last: it may replace the table
}

// Every window of values tells whether the column repeats itself: one that doesn't stops looking, one that
// does remembers more values.
void TextCells::lookedAt(bool found)
{
    if (found) {
        ++found_;
        shares_ = true;
    }
    if (++looked_ < sharingWindow)
        return;
    if (found_ * 8 < looked_)
        finish();
    else if (recent_.size() < largeRecentSize)
        recent_.assign(largeRecentSize, Recent{0, 0, nullPlace, noCode});
    looked_ = found_ = 0;
}

void TextCells::finish()
{
    sharing_ = false;
    std::vector<Recent>().swap(recent_);
}

quint32 TextCells::appendPlace(quint32 at, quint32 code)
{
    if (kept_ == Kept::Uniform) {
        if (rows_ == 0 || at == uniform_) {
            uniform_ = at;
            ++rows_;
            return noCode;
        }
        startCodes();
    }
    if (kept_ == Kept::Coded) {
        if (at == nullPlace)
            code = nullCode;
        else if (code == noCode)
            code = newCode(at);
        if (code != noCode) {
            codes_.push_back(quint16(code));
            ++rows_;
            return code;
        }
    }
    places_.push_back(at);
    ++rows_;
    return noCode;
}

void TextCells::startCodes()
{
    dictionary_ = {nullPlace};
    const quint16 code = uniform_ == nullPlace ? quint16(nullCode) : quint16(1);
    if (uniform_ != nullPlace)
        dictionary_.push_back(uniform_);
    codes_.reserve(size_t(rows_) + 1);
    for (qsizetype row = 0; row < rows_; ++row)
        codes_.push_back(code);
    kept_ = Kept::Coded;
}

quint32 TextCells::newCode(quint32 at)
{
    if (dictionary_.size() == mostCodes) {
        placeEach();
        return noCode;
    }
    dictionary_.push_back(at);
    return quint32(dictionary_.size() - 1);
}

void TextCells::placeEach()
{
    places_.reserve(size_t(rows_) + 1);
    for (qsizetype row = 0; row < rows_; ++row)
        places_.push_back(dictionary_[codes_[size_t(row)]]);
    codes_ = Chunked<quint16>();
    std::vector<quint32>().swap(dictionary_);
    kept_ = Kept::Placed;
}

void TextCells::setPlace(qsizetype row, quint32 at)
{
    if (kept_ == Kept::Uniform) {
        if (at == uniform_)
            return;
        startCodes();
    }
    if (kept_ == Kept::Coded) {
        const quint32 code = at == nullPlace ? nullCode : newCode(at);
        if (code != noCode) {
            codes_[size_t(row)] = quint16(code);
            return;
        }
    }
    places_[size_t(row)] = at;
}

void TextCells::set(qsizetype row, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    setPlace(row, store(utf8.constData(), utf8.size()));
}

Column::Column(const FieldDef &def, Storage storage) : def(def), storage(storage) {}

void Column::finish()
{
    text_.finish();
}

qsizetype Column::memoryUsed() const
{
    qsizetype bytes = text_.memoryUsed() + qsizetype(narrow_.size() * sizeof(qint32) + wide_.size() * sizeof(qint64)
                                                      + reals_.size() * sizeof(double) + nulls_.size() / 8);
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
        return text_.isNull(row) ? QString() : text_.text(row);
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
    if (!isWide_ && value != qint64(qint32(value))) {
        wide_ = Chunked<qint64>::widened(narrow_);
        narrow_ = Chunked<qint32>();
        isWide_ = true;
    }
    const auto at = size_t(row);
    if (isWide_) {
        if (at == wide_.size())
            wide_.push_back(value);
        else
            wide_[at] = value;
    } else if (at == narrow_.size()) {
        narrow_.push_back(qint32(value));
    } else {
        narrow_[at] = qint32(value);
    }
}

void Column::appendNull()
{
    switch (storage) {
    case Storage::Text: text_.appendNull(); break;
    case Storage::Integer: setInteger(rows_, 0); markNull(rows_, true); break;
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
    appendNull();
    set(rows_ - 1, normalised);
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
    case Storage::Integer: setInteger(row, null ? 0 : normalised.toLongLong()); break;
    case Storage::Real: reals_[size_t(row)] = null ? 0 : normalised.toDouble(); break;
    case Storage::Bytes: bytes_[size_t(row)] = null ? QByteArray() : normalised.toByteArray(); break;
    case Storage::Variant: variants_[size_t(row)] = normalised; return;
    }
    markNull(row, null);
}

} // namespace db::detail
