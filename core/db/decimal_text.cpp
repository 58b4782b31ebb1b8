#include "db/decimal_text.h"
#include <cmath>

namespace db {

QString decimalText(double value)
{
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(u'e');
    if (!std::isfinite(value) || e < 0)
        return text;
    // The digits of "d.ddde±x" with the point moved x places, zeros filled in where it passes them.
    const int exponent = text.mid(e + 1).toInt();
    QString digits = text.left(e);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(u'.');
    const qsizetype pointAt = (point < 0 ? digits.size() : point) + exponent;
    digits.remove(u'.');
    if (pointAt <= 0)
        text = QStringLiteral("0.") + QString(-pointAt, u'0') + digits;
    else if (pointAt >= digits.size())
        text = digits + QString(pointAt - digits.size(), u'0');
    else
        text = digits.left(pointAt) + u'.' + digits.mid(pointAt);
    return negative ? u'-' + text : text;
}

} // namespace db
