#pragma once
// The cells of one field over all fetched rows, kept by type: text as UTF-8 in one buffer, each cell a 4-byte
// place in it (equal values share their bytes while the column repeats itself, and a column whose cells are
// all alike keeps no place per cell at all), whole numbers in 4 bytes while they fit, other numbers in plain
// arrays, null marks only once a null comes. A large result costs little more than its distinct bytes, and a
// cell is reached in constant time.
#include "db/chunked.h"
#include "db/conversions.h"
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
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
    void appendNull() { appendPlace(nullPlace, nullCode); }
    void set(qsizetype row, const QString &text);
    void setNull(qsizetype row) { setPlace(row, nullPlace); }
    void finish(); // the fetch is over: values set later are not shared

    qsizetype rows() const { return rows_; }
    bool isNull(qsizetype row) const { return place(row) == nullPlace; }
    QByteArrayView bytes(qsizetype row) const
    {
        const quint32 at = place(row);
        return at == nullPlace ? QByteArrayView() : entry(at);
    }
    QString text(qsizetype row) const
    {
        const quint32 at = place(row);
        if (at == nullPlace)
            return QString();
        const QByteArrayView utf8 = entry(at);
        return QString::fromUtf8(utf8.data(), utf8.size());
    }
    bool shares() const { return shares_; } // some cells share their bytes
    qsizetype memoryUsed() const
    {
        return qsizetype(used_ + codes_.size() * sizeof(quint16) + dictionary_.size() * sizeof(quint32)
                         + places_.size() * sizeof(quint32));
    }
    // Cells holding the same stored bytes give the same value here (sorting computes one key for them).
    quint64 identity(qsizetype row) const { return place(row); }

private:
    // The last value seen under each hash: equal values that come again share their bytes (and their code).
    struct Recent {
        quint32 hash;
        quint32 place;
        quint32 size;
        quint32 code;
    };
    static constexpr quint32 nullPlace = 0xffffffffu;
    static constexpr quint32 nullCode = 0;
    static constexpr quint32 noCode = 0xffffffffu;
    static constexpr size_t mostCodes = 65536;

    // Where a cell's bytes are: while every cell is alike (a column left empty, or one repeated value) one
    // place serves them all; while the column holds fewer than 65,536 places, each cell keeps a 2-byte code
    // of its place; after that, the place itself.
    enum class Kept : quint8 { Uniform, Coded, Placed };
    quint32 place(qsizetype row) const
    {
        switch (kept_) {
        case Kept::Uniform: return uniform_;
        case Kept::Coded: return dictionary_[codes_[size_t(row)]];
        case Kept::Placed: break;
        }
        return places_[size_t(row)];
    }
    // Appends a cell at the place; `code` is the place's code where one was given to it (noCode: none yet).
    // Returns the code the cell took (noCode unless coded).
    quint32 appendPlace(quint32 at, quint32 code);
    void setPlace(qsizetype row, quint32 at);
    quint32 newCode(quint32 at); // noCode when the codes ran out (the cells then keep their places)
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
    quint32 uniform_ = nullPlace;
    Chunked<quint16> codes_;
    std::vector<quint32> dictionary_; // code -> place; code 0 is the null's
    Chunked<quint32> places_;
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

class Column {
public:
    Column(const FieldDef &def, Storage storage);

    FieldDef def;
    Storage storage;

    qsizetype rows() const { return rows_; }
    qsizetype memoryUsed() const; // the bytes its cells take, about
    bool isNull(qsizetype row) const;
    QVariant value(qsizetype row) const; // normalised; null: invalid
    QString text(qsizetype row) const;   // what Field::asString() gives

    void finish();
    void appendNull();
    void appendText(const char *utf8, qsizetype size)
    {
        text_.append(utf8, size);
        ++rows_;
    }
    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendBytes(QByteArray value);
    void append(const QVariant &normalised);
    // A value as the database gave it, converted to the field's type; a text the type can't read (a number
    // column holding "12x") is kept as that text, so the list still opens and shows what is stored, while
    // reading it as a number is refused.
    void appendConverted(const QVariant &value);
    void set(qsizetype row, const QVariant &normalised);

    const TextCells &textCells() const { return text_; }
    qint64 integerAt(qsizetype row) const
    {
        return isWide_ ? wide_[size_t(row)] : qint64(narrow_[size_t(row)]);
    }
    double realAt(qsizetype row) const { return reals_[size_t(row)]; }
    // The stored text of a number cell that holds no number; empty for every other cell.
    QString unreadableText(qsizetype row) const { return unreadable_.value(row); }

private:
    void markNull(qsizetype row, bool null);
    void setInteger(qsizetype row, qint64 value);

    qsizetype rows_ = 0;
    TextCells text_;
    Chunked<qint32> narrow_;  // whole numbers while every one fits in 32 bits
    Chunked<qint64> wide_;    // all of them once one does not
    bool isWide_ = false;
    Chunked<double> reals_;
    std::vector<QByteArray> bytes_;
    std::vector<QVariant> variants_;
    std::vector<bool> nulls_; // numbers and bytes; empty until the first null
    QHash<qsizetype, QString> unreadable_; // number cells holding a text that is no number
};

} // namespace db::detail
