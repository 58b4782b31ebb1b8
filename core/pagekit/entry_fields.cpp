#include "pagekit/entry_fields.h"
#include "persian/MonEdit.h"
#include "persian/RealEdit.h"
#include "schema/column_sizes.h"
#include "db/query.h"
#include "pagekit/date_check.h"
#include "pagekit/field_check.h"
#include "persian/persian_text.h"
#include "ui/control_text.h"
#include "ui/refusal.h"
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace pagekit {

namespace {

QLineEdit *lineEditOf(QWidget *control)
{
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->lineEdit();
    auto *edit = qobject_cast<QLineEdit *>(control);
    return edit && edit->inputMask().isEmpty() ? edit : nullptr;
}

void setLimit(QWidget *control, int size)
{
    if (QLineEdit *edit = lineEditOf(control))
        edit->setMaxLength(size > 0 ? size : 32767);
}

[[noreturn]] void refuse(const Field &field)
{
    throw ui::Refusal(fields::refusalText(field.caption), field.control);
}

} // namespace

void Values::set(const QString &column, const QVariant &value)
{
    const qsizetype at = columns_.indexOf(column);
    if (at >= 0) {
        values_[at] = value;
        return;
    }
    columns_ << column;
    values_ << value;
}

QVariant Values::value(const QString &column) const
{
    const qsizetype at = columns_.indexOf(column);
    return at >= 0 ? values_.at(at) : QVariant();
}

void EntryFields::setFields(const QString &table, QList<Field> fields)
{
    fields_ = std::move(fields);
    limits_.clear();
    for (Field &field : fields_) {
        if (field.column.isEmpty())
            field.column = field.control->objectName();
        const int size = schemaColumnSize(table, field.column);
        if ((field.kind != Kind::Text && field.kind != Kind::Password) || size <= 0 || !lineEditOf(field.control))
            continue;
        limits_.insert(field.control, size);
        setLimit(field.control, size);
    }
}

const Field *EntryFields::find(const QString &column) const
{
    for (const Field &field : fields_)
        if (field.column.compare(column, Qt::CaseInsensitive) == 0)
            return &field;
    return nullptr;
}

void EntryFields::clear()
{
    filled_.clear();
    filledValues_.clear();
    for (const Field &field : std::as_const(fields_)) {
        ui::setControlText(field.control, QString());
        if (limits_.contains(field.control))
            setLimit(field.control, limits_.value(field.control));
    }
}

void EntryFields::fillFrom(db::Query &row)
{
    filled_.clear();
    filledValues_.clear();
    for (const Field &field : std::as_const(fields_)) {
        const db::Field stored = row.fieldByName(field.column);
        const QString text = stored.asString();
        const int limit = limits_.value(field.control, 0);
        // A text an older program stored longer than the column is shown whole, so saving the form
        // unchanged never cuts it.
        if (limit > 0)
            setLimit(field.control, std::max<int>(limit, int(text.size())));
        ui::setControlText(field.control, text);
        filled_.insert(field.control, ui::controlText(field.control)); // as shown: a money edit groups it
        if (field.kind == Kind::Money)
            filledValues_.insert(field.control, stored.value());
    }
}

QVariant EntryFields::checkedValue(const Field &field, bool inserting) const
{
    const QString typed = ui::controlText(field.control);
    const bool empty = field.kind == Kind::Date ? isUntouchedDate(typed) : typed.trimmed().isEmpty();
    // Texts are checked below: what counts as empty and what an empty one stores are theirs.
    if (empty && field.kind != Kind::Text && field.kind != Kind::Password) {
        switch (field.empty) {
        case Empty::Refused: refuse(field);
        case Empty::RefusedOnInsert:
            if (inserting)
                refuse(field);
            return QVariant();
        case Empty::Null: return QVariant();
        case Empty::Stored:
            if (field.kind == Kind::Date)
                return typed.isEmpty() ? untouchedDate : typed;
            return QVariant();
        }
    }

    switch (field.kind) {
    case Kind::Text:
    case Kind::Password: {
        QString stored = field.kind == Kind::Text ? text::storedText(typed) : typed;
        if (field.trimmed)
            stored = stored.trimmed();
        // A text that shows nothing is empty; a password is whatever was typed.
        if (field.kind == Kind::Text ? text::isBlank(stored) : stored.trimmed().isEmpty()) {
            if (field.empty == Empty::Refused || (field.empty == Empty::RefusedOnInsert && inserting))
                refuse(field);
            if (field.empty == Empty::Null || field.empty == Empty::RefusedOnInsert)
                return QVariant();
        }
        const bool unchanged = typed == filled_.value(field.control);
        const int limit = limits_.value(field.control, 0);
        if (!unchanged && ((limit > 0 && stored.size() > limit) || text::hasControlCharacter(stored)))
            refuse(field);
        return stored;
    }
    case Kind::Date:
        checkDate(field.control, field.caption, field.empty == Empty::Stored || field.empty == Empty::Null);
        return typed;
    case Kind::Year: {
        static const QRegularExpression fourDigits(u"^\\d{4}$"_s);
        const QString digits = text::latinDigits(typed).trimmed();
        if (!fourDigits.match(digits).hasMatch())
            refuse(field);
        return digits.toInt();
    }
    case Kind::Whole:
    case Kind::Positive: {
        const std::optional<int> number = fields::wholeNumber(typed);
        if (!number || (field.kind == Kind::Positive && *number <= 0))
            refuse(field);
        return *number;
    }
    case Kind::Money: {
        // An amount shown as the row held it is kept as read, a negative one (an older program's) too.
        if (filledValues_.contains(field.control) && typed == filled_.value(field.control))
            return filledValues_.value(field.control);
        const QString digits = qobject_cast<TMonEdit *>(field.control) ? QString(typed).remove(u',') : typed;
        if (const std::optional<qint64> value = fields::rials(digits))
            return *value;
        refuse(field);
    }
    case Kind::Real:
        if (const std::optional<double> value = TRealEdit::number(typed))
            return *value;
        refuse(field);
    }
    return QVariant();
}

Values EntryFields::checked(bool inserting) const
{
    Values values;
    for (const Field &field : fields_)
        values.set(field.column, checkedValue(field, inserting));
    return values;
}

void EntryFields::writeTo(db::Query &row, const Values &values) const
{
    for (const Field &field : fields_)
        row.fieldByName(field.column).setValue(values.value(field.column));
}

} // namespace pagekit
