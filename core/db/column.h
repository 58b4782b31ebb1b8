#pragma once
// The cells of one field over all fetched rows, kept by type: text as its own cells (text_cells.h), whole
// numbers packed by blocks, other numbers in plain arrays, null marks only once a null comes. A large result
// costs little more than its distinct bytes, and a cell is reached in constant time.
#include "db/chunked.h"
#include "db/conversions.h"
#include "db/text_cells.h"
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

namespace db::detail {

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
    qint64 integerAt(qsizetype row) const { return integers_[size_t(row)]; }
    double realAt(qsizetype row) const { return reals_[size_t(row)]; }
    // The stored text of a number cell that holds no number; empty for every other cell.
    QString unreadableText(qsizetype row) const { return unreadable_.value(row); }

private:
    void markNull(qsizetype row, bool null);
    void setInteger(qsizetype row, qint64 value);

    qsizetype rows_ = 0;
    TextCells text_;
    PackedIntegers integers_; // a null holds the value before it: it widens no block
    Chunked<double> reals_;
    std::vector<QByteArray> bytes_;
    std::vector<QVariant> variants_;
    std::vector<bool> nulls_; // numbers and bytes; empty until the first null
    QHash<qsizetype, QString> unreadable_; // number cells holding a text that is no number
};

} // namespace db::detail
