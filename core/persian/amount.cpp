#include "persian/amount.h"

#include <array>

namespace amount {

namespace {

// Every word keeps a blank on each side; four of them end in a zero-width non-joiner before the blank.
const std::array<QString, 20> unitsAndTeens = {
    QStringLiteral(" صفر "),   QStringLiteral(" يک "),     QStringLiteral(" دو "),    QStringLiteral(" سه "),
    QStringLiteral(" چهار\u200C "), QStringLiteral(" پنج "), QStringLiteral(" شش "),   QStringLiteral(" هفت "),
    QStringLiteral(" هشت "),   QStringLiteral(" نه "),     QStringLiteral(" ده "),    QStringLiteral(" يازده "),
    QStringLiteral(" دوازده "), QStringLiteral(" سيزده "), QStringLiteral(" چهارده\u200C "),
    QStringLiteral(" پانزده "), QStringLiteral(" شانزده "), QStringLiteral(" هفده "), QStringLiteral(" هجده "),
    QStringLiteral(" نوزده "),
};

// Indexed by the digit; the tens have no word for 0 and 1.
const std::array<QString, 10> tens = {
    QString(), QString(), QStringLiteral(" بيست "), QStringLiteral(" سي "), QStringLiteral(" چهل\u200C "),
    QStringLiteral(" پنجاه "), QStringLiteral(" شصت "), QStringLiteral(" هفتاد "), QStringLiteral(" هشتاد "),
    QStringLiteral(" نود "),
};

const std::array<QString, 10> hundreds = {
    QString(), QStringLiteral(" صد "), QStringLiteral(" دويست "), QStringLiteral(" سيصد "),
    QStringLiteral(" چهارصد\u200C "), QStringLiteral(" پانصد "), QStringLiteral(" ششصد "), QStringLiteral(" هفتصد "),
    QStringLiteral(" هشتصد "), QStringLiteral(" نهصد "),
};

// The scale word of each group of three digits, from the right.
const std::array<QString, 5> scales = {
    QString(), QStringLiteral("هزار"), QStringLiteral("ميليون"), QStringLiteral("ميليارد"), QStringLiteral("تريليون"),
};

constexpr qint64 wordsLimit = 1'000'000'000'000'000; // 10^15: from here on only the digits

// "و" between the words of one group; the words bring their own blanks.
QString joinInGroup(const QString &head, const QString &rest)
{
    return rest.isEmpty() ? head : head + QStringLiteral("و") + rest;
}

} // namespace

QString Get1nd(int value)
{
    return value >= 0 && value < 20 ? unitsAndTeens[std::size_t(value)] : QString();
}

QString Get2nd(int digit)
{
    return digit >= 2 && digit <= 9 ? tens[std::size_t(digit)] : QString();
}

QString Get3nd(int digit)
{
    return digit >= 1 && digit <= 9 ? hundreds[std::size_t(digit)] : QString();
}

QString GetTree(int value)
{
    if (value < 1 || value > 999)
        return {};
    QString s;
    const int r = value % 100;
    if (r >= 20)
        s = joinInGroup(Get2nd(r / 10), value % 10 > 0 ? Get1nd(value % 10) : QString());
    else if (r > 0)
        s = Get1nd(r);
    if (const int h = value / 100; h > 0)
        s = joinInGroup(Get3nd(h), s);
    return s;
}

QString GetNum(qint64 rials)
{
    if (rials == 0)
        return QStringLiteral("صفر ريال");
    if (rials < 0 || rials >= wordsLimit)
        return QString::number(rials);
    QString s;
    for (std::size_t k = 0; rials != 0; ++k) {
        const int group = int(rials % 1000);
        rials /= 1000;
        if (group == 0)
            continue;
        if (!s.isEmpty())
            s = QStringLiteral(" و ") + s;
        s = GetTree(group) + scales[k] + s;
    }
    return s + QStringLiteral(" ريال");
}

QString DIGITS(const QString &text)
{
    // A sign stays in front of the groups: "-123,456", never "-,123,456".
    if (text.startsWith(u'-'))
        return u'-' + DIGITS(text.mid(1));
    const qsizetype length = text.size();
    const qsizetype head = length % 3;
    QString out = text.left(head);
    out.reserve(length + length / 3);
    for (qsizetype pos = head; pos < length; pos += 3) {
        if (!out.isEmpty())
            out += u',';
        out += QStringView(text).mid(pos, 3);
    }
    return out;
}

} // namespace amount
