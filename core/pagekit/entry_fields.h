#pragma once
// An entry form's fields declared as a table over one table's columns: which column each control holds, its
// caption (named in a refusal) and its kind. Text fields take their column's size when they are declared; the
// table clears the controls, fills them from the list's current row, and checks and converts every value
// before anything is written.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace db {
class Query;
}

namespace pagekit {

enum class Kind {
    Text,         // stored as typed (Persian yeh and digits folded), never longer than its column, no control
                  // characters
    Password,     // stored exactly as typed (nothing folded), never longer than its column, no control characters
    Date,         // solar date: untouched "    /  /  " or complete and valid
    Year,         // four digits
    Whole,        // a whole number (32 bits)
    Positive,     // a whole number above 0
    Money,        // whole rials (a money edit's separators aside), at most fields::maxRials; an amount shown
                  // unchanged as the row held it is kept as it was read
    Real,         // a finite decimal number, the whole text ("." as the point)
};

// What an empty field stores.
enum class Empty {
    Stored,           // a text field "" (as the register stores empty texts), a number or date null
    Null,             // null
    Refused,          // not allowed: refused by the caption
    RefusedOnInsert,  // required on a new row; an edited older row may keep it empty (null)
};

struct Field {
    QString column;     // the column; the control's objectName when empty
    QWidget *control;
    QString caption;    // named in a refusal
    Kind kind = Kind::Text;
    Empty empty = Empty::Stored;
    bool trimmed = false; // blanks around the text dropped (a user name)
};

// The checked values of one save, by column.
class Values {
public:
    void set(const QString &column, const QVariant &value);
    QVariant value(const QString &column) const; // invalid when absent
    QVariant operator[](const QString &column) const { return value(column); }
    const QStringList &columns() const { return columns_; }
    const QVariantList &values() const { return values_; }

private:
    QStringList columns_;
    QVariantList values_;
};

class EntryFields {
public:
    // The fields of the table's columns. Text fields accept no more characters than the schema routine gives
    // their column, fixed here once: nothing later sets a limit, so none can cut a text already shown.
    void setFields(const QString &table, QList<Field> fields);
    const QList<Field> &fields() const { return fields_; }
    const Field *find(const QString &column) const;

    void clear();                   // every control emptied (limits back to the column's)
    // Every control shows its column of the query's current row. A stored text longer than its column is
    // shown whole (that field's limit is raised to it) and kept whole when saved unchanged.
    void fillFrom(db::Query &row);

    // Every value checked and converted by kind, in field order; a refusal (ui::Refusal) names the first
    // field refused and gives it the focus. inserting: a new row (for Empty::RefusedOnInsert).
    Values checked(bool inserting) const;
    // Sets every field of the row (in insert or edit state) from the values.
    void writeTo(db::Query &row, const Values &values) const;

private:
    QVariant checkedValue(const Field &field, bool inserting) const;
    QList<Field> fields_;
    QHash<QWidget *, int> limits_;      // text fields: their column's size
    QHash<QWidget *, QString> filled_;  // the texts fillFrom showed, for stored texts longer than the column
    QHash<QWidget *, QVariant> filledValues_; // money fields: the values fillFrom read
};

} // namespace pagekit
