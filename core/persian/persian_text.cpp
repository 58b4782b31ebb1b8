#include "persian/persian_text.h"
#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace text {

namespace {

QChar latinDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'\u06F0' && u <= u'\u06F9')
        return QChar(u'0' + (u - u'\u06F0'));
    if (u >= u'\u0660' && u <= u'\u0669')
        return QChar(u'0' + (u - u'\u0660'));
    return c;
}

} // namespace

QString latinDigits(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        c = latinDigit(c);
    return out;
}

QString storedText(const QString &s)
{
    QString out = latinDigits(s);
    out.replace(QChar(u'\u06CC'), QChar(u'\u064A'));
    return out;
}

bool hasControlCharacter(const QString &s)
{
    return std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool isBlank(const QString &s)
{
    const auto shows = [](QChar c) { return !c.isSpace() && c.category() != QChar::Other_Format; };
    return std::none_of(s.cbegin(), s.cend(), shows);
}

int comparePersian(const QString &a, const QString &b)
{
    static const QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    return collator.compare(a, b);
}

void sortPersian(QStringList &texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString &a, const QString &b) { return comparePersian(a, b) < 0; });
}

} // namespace text
