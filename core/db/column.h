#pragma once
// The cells of one field over all fetched rows, kept by type: text as UTF-8 in one buffer (equal values share
// their bytes while the column repeats itself), numbers in plain arrays, each with its null marks. A large
// result costs little more than its distinct bytes, and a cell is reached in constant time.
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
    void appendNull() { slots_.push_back({0, nullSize}); }
    void set(qsizetype row, const QString &text);
    void setNull(qsizetype row) { slots_[size_t(row)] = {0, nullSize}; }
    void reserve(qsizetype rows) { slots_.reserve(size_t(rows)); }
    void finish(); // the fetch is over: values set later are not shared

    qsizetype rows() const { return qsizetype(slots_.size()); }
    bool isNull(qsizetype row) const { return slots_[size_t(row)].size == nullSize; }
    QByteArrayView bytes(qsizetype row) const
    {
        const Slot s = slots_[size_t(row)];
        return s.size == nullSize ? QByteArrayView() : QByteArrayView(buffer_ + s.offset, s.size);
    }
    QString text(qsizetype row) const
    {
        const Slot s = slots_[size_t(row)];
        return s.size == nullSize ? QString() : QString::fromUtf8(buffer_ + s.offset, s.size);
    }
    bool shares() const { return shares_; } // some cells share their bytes
    // Cells holding the same stored bytes give the same value here (sorting computes one key for them).
    quint64 identity(qsizetype row) const
    {
        const Slot s = slots_[size_t(row)];
        return (quint64(s.offset) << 32) | s.size;
    }

private:
    struct Slot {
        quint32 offset;
        quint32 size;
    };
    // The last value seen under each hash: equal values that come again share their bytes.
    struct Recent {
        quint32 hash;
        quint32 offset;
        quint32 size;
    };
    static constexpr quint32 nullSize = 0xffffffffu;
    quint32 store(const char *utf8, qsizetype size);
    quint32 storeShared(const char *utf8, qsizetype size);

    std::vector<Slot> slots_;
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

    qsizetype rows() const;
    void reserve(qsizetype rows);
    bool isNull(qsizetype row) const;
    QVariant value(qsizetype row) const; // normalised; null: invalid
    QString text(qsizetype row) const;   // what Field::asString() gives

    void finish();
    void appendNull();
    void appendText(const char *utf8, qsizetype size) { text_.append(utf8, size); }
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
    qint64 integerAt(qsizetype row) const { return integers_[size_t(row)]; }
    double realAt(qsizetype row) const { return reals_[size_t(row)]; }

private:
    TextCells text_;
    std::vector<qint64> integers_;
    std::vector<double> reals_;
    std::vector<QByteArray> bytes_;
    std::vector<QVariant> variants_;
    std::vector<bool> nulls_; // for integers, reals and bytes
    QHash<qsizetype, QString> unreadable_; // number cells holding a text that is no number
};

} // namespace db::detail
