#include "pagekit/date_check.h"
#include "persian/Dates.h"
#include "pagekit/field_check.h"
#include "ui/control_text.h"
#include "ui/refusal.h"
#include <QRegularExpression>

namespace pagekit {

bool isUntouchedDate(const QString &text)
{
    return QString(text).remove(u'/').trimmed().isEmpty();
}

bool isValidSolarDate(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return false;
    const int year = match.captured(1).toInt(), month = match.captured(2).toInt(), day = match.captured(3).toInt();
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= shamsiMonthLength(year, month);
}

void checkDate(QWidget *field, const QString &caption, bool allowUntouched)
{
    const QString text = ui::controlText(field);
    if ((allowUntouched && isUntouchedDate(text)) || isValidSolarDate(text))
        return;
    throw ui::Refusal(fields::refusalText(caption), field);
}

} // namespace pagekit
