#include "pagekit/field_check.h"
#include "persian/persian_text.h"
#include <algorithm>

namespace fields {

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text::latinDigits(text).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<qint64> rials(const QString &text)
{
    const QString digits = text::latinDigits(text).trimmed();
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (digits.isEmpty() || !std::all_of(digits.cbegin(), digits.cend(), isDigit))
        return std::nullopt;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok || value > maxRials)
        return std::nullopt;
    return value;
}

QString refusalText(const QString &caption)
{
    return QStringLiteral("مقدار «") + caption + QStringLiteral("» درست نيست");
}

} // namespace fields
