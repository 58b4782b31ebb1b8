#include "ui/time_edit.h"
#include "pagekit/field_check.h"
#include "ui/latin_font.h"
#include "ui/refusal.h"
#include <QRegularExpression>

TMaskedTimeEdit::TMaskedTimeEdit(QWidget *parent) : TMaskedEdit(QStringLiteral("99:99"), parent)
{
    setFont(ui::latinFont(font()));
}

QString TMaskedTimeEdit::clockText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

void TMaskedTimeEdit::setToNow()
{
    setStoredText(clockText(QTime::currentTime()));
}

namespace times {

bool isUntouchedTime(const QString &text)
{
    return text.trimmed().isEmpty() || text.trimmed() == QStringLiteral(":");
}

bool isValidTime(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]$"));
    return shape.match(text).hasMatch();
}

void checkTime(TMaskedTimeEdit *field, const QString &caption)
{
    const QString text = field->storedText();
    if (!isUntouchedTime(text) && !isValidTime(text))
        throw ui::Refusal(fields::refusalText(caption), field);
}

} // namespace times

#include "moc_time_edit.cpp"
