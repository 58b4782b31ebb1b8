#pragma once
// The text cells of one column, as UTF-8 in one buffer. While the column repeats itself each distinct value is
// stored once and a cell keeps the code of its value (one or two bytes, packed by blocks); while every value is
// a plain whole number in digits (a receipt or account number) a cell keeps that number instead; a column whose
// cells are all alike keeps nothing per cell. A cell is reached in constant time.
#include "db/chunked.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace db::detail {

class TextCells {
public:
    TextCells() = default;
    ~TextCells();
    TextCells(TextCells &&other) noexcept;
    TextCells &operator=(TextCells &&other) noexcept;
    TextCells(const TextCells &) = delete;
    TextCells &operator=(const TextCells &) = delete;

    void append(const char *utf8, qsizetype size);
    void appendNull();
    void set(qsizetype row, const QString &text);
    void setNull(qsizetype row);
    void finish(); // the fetch is over: values set later are not shared

    qsizetype rows() const { return rows_; }
    bool isNull(qsizetype row) const
    {
        return kept_ == Kept::Digits ? numbers_[size_t(row)] < 0 : place(row) == nullPlace;
    }
    QString text(qsizetype row) const;
    QByteArray utf8(qsizetype row) const;
    bool equals(qsizetype row, QByteArrayView utf8) const;
    // Cells holding the same text give the same value here (sorting computes one key for them), when shares().
    quint64 identity(qsizetype row) const { return kept_ == Kept::Digits ? quint64(numbers_[size_t(row)]) : place(row); }
    bool shares() const { return shares_ || kept_ == Kept::Digits; }
    // Whether every cell is a plain number in digits (or a null): identity() is then that number.
    bool keepsNumbers() const { return kept_ == Kept::Digits; }
    qsizetype memoryUsed() const;

private:
    // The last value seen under each hash, once the codes ran out: equal values that come again close together
    // still share their bytes.
    struct Recent {
        quint32 hash;
        quint32 place;
        quint32 size;
    };
    struct Slot {
        quint32 key;   // the value's hash, never 0 (0: a free slot)
        quint32 code;
        quint32 place; // the code's, so that one look finds the bytes
    };
    static constexpr quint32 nullPlace = 0xffffffffu;
    static constexpr quint32 nullCode = 0;
    static constexpr quint32 noCode = 0xffffffffu;
    static constexpr size_t mostCodes = 65536;

    // Where a cell's value is: while every cell is alike (a column left empty, or one repeated value) one place
    // serves them all; while every value is a plain number, each cell keeps its number (-1: a null); while the
    // column holds at most 65,536 distinct values, each cell keeps the code of its value, and every value that
    // comes again is found; after that, each cell keeps its place (plus one: 0 is a null).
    enum class Kept : quint8 { Uniform, Digits, Coded, Placed };
    quint32 place(qsizetype row) const
    {
        switch (kept_) {
        case Kept::Uniform: return uniform_;
        case Kept::Coded: return dictionary_[size_t(codes_[size_t(row)])];
        case Kept::Digits:
        case Kept::Placed: break;
        }
        return quint32(places_[size_t(row)] - 1);
    }
    void appendPlace(quint32 at);
    void appendCoded(const char *utf8, qsizetype size);
    void appendPlaced(const char *utf8, qsizetype size);
    void setPlace(qsizetype row, quint32 at);
    bool startDigits(qint64 next); // the column's second value: numbers kept while every value is one
    void leaveDigits();
    quint32 codeOf(QByteArrayView utf8, quint32 hash) const; // noCode when the value is new
    quint32 newCode(quint32 at, quint32 hash, bool looked);  // noCode when the codes ran out: places from now on
    void index(quint32 code);
    void startCodes();
    void placeEach();
    // An entry is its length (7 bits a byte, lowest first) and then its bytes.
    QByteArrayView entry(quint32 at) const
    {
        const auto *p = reinterpret_cast<const unsigned char *>(buffer_ + at);
        quint32 size = *p & 0x7f;
        for (int shift = 7; *p++ & 0x80; shift += 7)
            size |= quint32(*p & 0x7f) << shift;
        return QByteArrayView(reinterpret_cast<const char *>(p), qsizetype(size));
    }
    quint32 store(const char *utf8, qsizetype size);
    void lookedAt(bool found);

    Kept kept_ = Kept::Uniform;
    bool digitsPossible_ = true; // no value so far was other than a plain number
    quint32 uniform_ = nullPlace;
    PackedIntegers numbers_;
    PackedIntegers codes_;
    std::vector<quint32> dictionary_; // code -> place; code 0 is the null's
    std::vector<quint32> hashes_;     // code -> the key of its value, while values are looked up (0: never)
    std::vector<Slot> slots_;         // the codes by their hash, open addressing
    PackedIntegers places_;
    qsizetype rows_ = 0;
    char *buffer_ = nullptr;
    size_t used_ = 0;
    size_t capacity_ = 0;
    std::vector<Recent> recent_;
    size_t looked_ = 0;
    size_t found_ = 0;
    bool sharing_ = true;
    bool shares_ = false;
};

} // namespace db::detail
