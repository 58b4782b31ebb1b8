#include "persian/persian_text.h"
#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <iterator>
#include <utility>

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

QString latinNumber(const QString &s)
{
    QString out = latinDigits(s);
    out.replace(QChar(u'\u066B'), QChar(u'.'));
    out.replace(QChar(u'\u066C'), QChar(u','));
    return out;
}

namespace {

// Unicode's Default_Ignorable_Code_Point set (DerivedCoreProperties.txt): characters a text never shows, the
// invisible format marks, variation selectors, fillers and tags, the ranges still unassigned within it included.
bool isDefaultIgnorable(char32_t c)
{
    static constexpr std::pair<char32_t, char32_t> ranges[] = {
        {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C}, {0x115F, 0x1160}, {0x17B4, 0x17B5},
        {0x180B, 0x180F},   {0x200B, 0x200F},   {0x202A, 0x202E}, {0x2060, 0x206F}, {0x3164, 0x3164},
        {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0}, {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
    };
    return std::any_of(std::begin(ranges), std::end(ranges),
                       [c](const auto &range) { return c >= range.first && c <= range.second; });
}

} // namespace

bool isBlank(const QString &s)
{
    // By code point: the ignorable characters beyond the first 65536 come as surrogate pairs. A lone
    // surrogate is read as the replacement character, which shows.
    const QList<uint> codePoints = s.toUcs4();
    return std::all_of(codePoints.cbegin(), codePoints.cend(),
                       [](uint c) { return QChar::isSpace(c) || isDefaultIgnorable(char32_t(c)); });
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
