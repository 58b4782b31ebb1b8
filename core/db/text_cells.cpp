#include "db/text_cells.h"
#include "db/error.h"
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
// Values seen are remembered under this many hashes per column, once past the codes; a column that goes on
// repeating itself remembers more.
constexpr size_t recentSize = 1024;
constexpr size_t largeRecentSize = 8192;
// A column that, over this many values, repeated fewer than one in eight stops looking for repeats.
constexpr size_t sharingWindow = 4096;

__extension__ using Wide = unsigned __int128;

// Two words folded into one by a 128-bit multiply.
inline quint64 fold(quint64 a, quint64 b)
{
    const Wide product = Wide(a) * b;
    return quint64(product) ^ quint64(product >> 64);
}

inline quint64 word(const char *data)
{
    quint64 value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// A fast hash of a short text, 16 bytes a step; no stronger one is needed here.
quint32 hashOf(const char *data, qsizetype size)
{
    constexpr quint64 odd = 0xa0761d6478bd642full;
    constexpr quint64 other = 0xe7037ed1a0b428dbull;
    quint64 hash = quint64(size) * odd;
    for (; size > 16; data += 16, size -= 16)
        hash = fold(word(data) ^ odd, word(data + 8) ^ hash);
    quint64 first = 0;
    quint64 last = 0;
    if (size >= 8) {
        first = word(data);
        last = word(data + size - 8);
    } else if (size > 0) {
        std::memcpy(&first, data, size_t(size));
    }
    hash = fold(first ^ odd, last ^ hash);
    return quint32(fold(hash, other));
}

// Digits kept as numbers: a null, and a text that is no plain number.
constexpr qint64 nullNumber = -1;
constexpr qint64 notANumber = -2;

// The whole number a text spells the way it is written again (digits only, no leading zero, at most 18
// digits); notANumber for any other text.
qint64 plainNumber(const char *utf8, qsizetype size)
{
    if (size < 1 || size > 18 || (utf8[0] == '0' && size > 1))
        return notANumber;
    qint64 number = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned digit = unsigned(utf8[i]) - unsigned('0');
        if (digit > 9)
            return notANumber;
        number = number * 10 + digit;
    }
    return number;
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
        digitsPossible_ = other.digitsPossible_;
        uniform_ = other.uniform_;
        numbers_ = std::move(other.numbers_);
        codes_ = std::move(other.codes_);
        dictionary_ = std::move(other.dictionary_);
        hashes_ = std::move(other.hashes_);
        slots_ = std::move(other.slots_);
        places_ = std::move(other.places_);
        rows_ = std::exchange(other.rows_, 0);
        buffer_ = std::exchange(other.buffer_, nullptr);
        used_ = std::exchange(other.used_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        recent_ = std::move(other.recent_);
        looked_ = other.looked_;
        found_ = other.found_;
        sharing_ = other.sharing_;
        shares_ = other.shares_;
    }
    return *this;
}

qsizetype TextCells::memoryUsed() const
{
    return qsizetype(used_ + numbers_.memoryUsed() + codes_.memoryUsed() + places_.memoryUsed()
                     + (dictionary_.capacity() + hashes_.capacity()) * sizeof(quint32) + slots_.capacity() * sizeof(Slot)
                     + recent_.capacity() * sizeof(Recent));
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
    if (kept_ == Kept::Digits) {
        if (const qint64 number = plainNumber(utf8, size); number != notANumber) {
            numbers_.push_back(number);
            ++rows_;
            return;
        }
        leaveDigits();
    }
    if (!sharing_ || size > longestShared) {
        appendPlace(store(utf8, size));
        return;
    }
    const QByteArrayView value(utf8, size);
    if (kept_ == Kept::Uniform) {
        if (rows_ == 0 || (uniform_ != nullPlace && entry(uniform_) == value)) {
            if (rows_ > 0)
                shares_ = true;
            else
                uniform_ = store(utf8, size);
            ++rows_;
            return;
        }
        if (startDigits(plainNumber(utf8, size)))
            return;
        startCodes();
    }
    if (kept_ == Kept::Coded)
        appendCoded(utf8, size);
    else
        appendPlaced(utf8, size);
}

void TextCells::appendNull()
{
    if (kept_ == Kept::Digits) {
        numbers_.push_back(nullNumber);
        ++rows_;
        return;
    }
    appendPlace(nullPlace);
}

// The column's second value (`next`: its number, nullNumber or notANumber): while it and the first are plain
// numbers or nulls, the cells keep numbers.
bool TextCells::startDigits(qint64 next)
{
    qint64 first = nullNumber;
    if (uniform_ != nullPlace) {
        const QByteArrayView bytes = entry(uniform_);
        first = plainNumber(bytes.data(), bytes.size());
    }
    if (!digitsPossible_ || !sharing_ || next == notANumber || first == notANumber) {
        digitsPossible_ = false;
        return false;
    }
    for (qsizetype row = 0; row < rows_; ++row)
        numbers_.push_back(first);
    numbers_.push_back(next);
    ++rows_;
    kept_ = Kept::Digits;
    return true;
}

// A value that is no plain number: every cell is kept as text from now on, those kept as numbers read again.
void TextCells::leaveDigits()
{
    const PackedIntegers numbers = std::exchange(numbers_, PackedIntegers());
    const qsizetype rows = std::exchange(rows_, 0);
    kept_ = Kept::Uniform;
    uniform_ = nullPlace;
    digitsPossible_ = false;
    for (qsizetype row = 0; row < rows; ++row) {
        const qint64 number = numbers[size_t(row)];
        if (number == nullNumber) {
            appendNull();
        } else {
            const QByteArray text = QByteArray::number(number);
            append(text.constData(), text.size());
        }
    }
}

QString TextCells::text(qsizetype row) const
{
    if (kept_ == Kept::Digits) {
        const qint64 number = numbers_[size_t(row)];
        return number == nullNumber ? QString() : QString::number(number);
    }
    const quint32 at = place(row);
    if (at == nullPlace)
        return QString();
    const QByteArrayView bytes = entry(at);
    return QString::fromUtf8(bytes.data(), bytes.size());
}

QByteArray TextCells::utf8(qsizetype row) const
{
    if (kept_ == Kept::Digits) {
        const qint64 number = numbers_[size_t(row)];
        return number == nullNumber ? QByteArray() : QByteArray::number(number);
    }
    const quint32 at = place(row);
    return at == nullPlace ? QByteArray() : entry(at).toByteArray();
}

bool TextCells::equals(qsizetype row, QByteArrayView utf8) const
{
    if (kept_ == Kept::Digits) {
        const qint64 number = numbers_[size_t(row)];
        return number != nullNumber && number == plainNumber(utf8.data(), utf8.size());
    }
    const quint32 at = place(row);
    return at != nullPlace && entry(at) == utf8;
}

// Every value that comes again is found, and its cell takes its code.
void TextCells::appendCoded(const char *utf8, qsizetype size)
{
    const quint32 hash = hashOf(utf8, size);
    quint32 code = codeOf(QByteArrayView(utf8, size), hash);
    const bool found = code != noCode;
    if (!found) {
        const quint32 at = store(utf8, size);
        code = newCode(at, hash, true);
        if (code == noCode) { // the codes ran out: every cell keeps its place now
            places_.push_back(qint64(at) + 1);
            ++rows_;
            return;
        }
    }
    codes_.push_back(code);
    ++rows_;
    lookedAt(found); // last: it may end the codes
}

// Past the codes, a value that comes again soon after shares its bytes still.
void TextCells::appendPlaced(const char *utf8, qsizetype size)
{
    if (recent_.empty())
        recent_.assign(recentSize, Recent{0, 0, nullPlace});
    const quint32 hash = hashOf(utf8, size);
    Recent &seen = recent_[hash & (recent_.size() - 1)];
    const bool found =
        seen.hash == hash && seen.size == quint32(size) && entry(seen.place) == QByteArrayView(utf8, size);
    if (!found)
        seen = {hash, store(utf8, size), quint32(size)};
    places_.push_back(qint64(seen.place) + 1);
    ++rows_;
    lookedAt(found); // last: it may replace the table
}

// Every window of values tells whether the column repeats itself: one that doesn't stops looking (its cells
// keep their places), one that does remembers more values once past its codes.
void TextCells::lookedAt(bool found)
{
    if (found) {
        ++found_;
        shares_ = true;
    }
    if (++looked_ < sharingWindow)
        return;
    if (found_ * 8 < looked_) {
        sharing_ = false;
        if (kept_ == Kept::Coded)
            placeEach();
        std::vector<Recent>().swap(recent_);
    } else if (kept_ == Kept::Placed && recent_.size() < largeRecentSize) {
        recent_.assign(largeRecentSize, Recent{0, 0, nullPlace});
    }
    looked_ = found_ = 0;
}

void TextCells::finish()
{
    sharing_ = false;
    std::vector<Recent>().swap(recent_);
    std::vector<Slot>().swap(slots_);
    std::vector<quint32>().swap(hashes_);
    numbers_.finish();
    codes_.finish();
    places_.finish();
}

// A cell whose value is not looked up: a null, a long text, or any once the column stopped sharing.
void TextCells::appendPlace(quint32 at)
{
    if (kept_ == Kept::Digits)
        leaveDigits(); // a long text (a null comes through appendNull)
    if (kept_ == Kept::Uniform) {
        if (rows_ == 0 || at == uniform_) {
            uniform_ = at;
            ++rows_;
            return;
        }
        if (startDigits(at == nullPlace ? nullNumber : notANumber))
            return;
        startCodes();
    }
    if (kept_ == Kept::Coded) {
        const quint32 code = at == nullPlace ? nullCode : newCode(at, 0, false);
        if (code != noCode) {
            codes_.push_back(code);
            ++rows_;
            return;
        }
    }
    places_.push_back(at == nullPlace ? 0 : qint64(at) + 1);
    ++rows_;
}

void TextCells::startCodes()
{
    dictionary_ = {nullPlace};
    hashes_ = {0};
    quint32 code = nullCode;
    if (uniform_ != nullPlace) {
        const QByteArrayView value = entry(uniform_);
        code = newCode(uniform_, hashOf(value.data(), value.size()), true);
    }
    for (qsizetype row = 0; row < rows_; ++row)
        codes_.push_back(code);
    kept_ = Kept::Coded;
}

quint32 TextCells::codeOf(QByteArrayView utf8, quint32 hash) const
{
    if (slots_.empty())
        return noCode;
    const quint32 key = hash | 1u;
    const size_t mask = slots_.size() - 1;
    for (size_t at = key & mask;; at = (at + 1) & mask) {
        const Slot slot = slots_[at];
        if (slot.key == 0)
            return noCode;
        if (slot.key == key && entry(slot.place) == utf8)
            return slot.code;
    }
}

// A new code for the value at `at`; one that is looked up (a value as read, while the column shares) is found
// when it comes again.
quint32 TextCells::newCode(quint32 at, quint32 hash, bool looked)
{
    if (dictionary_.size() == mostCodes) {
        placeEach();
        return noCode;
    }
    const auto code = quint32(dictionary_.size());
    dictionary_.push_back(at);
    if (!sharing_ || !looked)
        return code;
    // A looked-up code keeps its hash, never 0: 0 marks the codes that are not looked up.
    hashes_.resize(dictionary_.size(), 0);
    hashes_[code] = hash | 1u;
    // The table stays at most half full.
    if (slots_.size() < 2 * dictionary_.size()) {
        slots_.assign(std::max<size_t>(64, 2 * slots_.size()), Slot{0, 0, 0});
        for (quint32 known = 1; known < code; ++known)
            if (hashes_[known] != 0)
                index(known);
    }
    index(code);
    return code;
}

void TextCells::index(quint32 code)
{
    const size_t mask = slots_.size() - 1;
    size_t at = hashes_[code] & mask;
    while (slots_[at].key != 0)
        at = (at + 1) & mask;
    slots_[at] = {hashes_[code], code, dictionary_[code]};
}

void TextCells::placeEach()
{
    for (qsizetype row = 0; row < rows_; ++row) {
        const quint32 at = dictionary_[size_t(codes_[size_t(row)])];
        places_.push_back(at == nullPlace ? 0 : qint64(at) + 1);
    }
    codes_ = PackedIntegers();
    std::vector<quint32>().swap(dictionary_);
    std::vector<quint32>().swap(hashes_);
    std::vector<Slot>().swap(slots_);
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
        const quint32 code = at == nullPlace ? nullCode : newCode(at, 0, false);
        if (code != noCode) {
            codes_.set(size_t(row), code);
            return;
        }
    }
    places_.set(size_t(row), at == nullPlace ? 0 : qint64(at) + 1);
}

void TextCells::set(qsizetype row, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (kept_ == Kept::Digits) {
        if (const qint64 number = plainNumber(utf8.constData(), utf8.size()); number != notANumber) {
            numbers_.set(size_t(row), number);
            return;
        }
        leaveDigits();
    }
    setPlace(row, store(utf8.constData(), utf8.size()));
}

void TextCells::setNull(qsizetype row)
{
    if (kept_ == Kept::Digits)
        numbers_.set(size_t(row), nullNumber);
    else
        setPlace(row, nullPlace);
}

} // namespace db::detail
