#include "persian/Dates.h"

#include <array>

TShamsiDate ShamsiDate;

namespace {

// The solar year begins at the vernal equinox as observed in Iran. Over the centuries this follows 33-year
// cycles of eight leap years, but where the cycles shift, and so which years are leap years, only the
// astronomical calendar tells: these are the solar years at which the pattern breaks. Neither a fixed offset
// from the Gregorian year (a day late through 1408) nor Qt's Jalali calendar (a day early through 1437 and
// 1470) keeps to it.
constexpr std::array<int, 20> leapBreaks = {-61,  9,    38,   199,  426,  686,  756,  818,  1111, 1181,
                                            1210, 1635, 2060, 2097, 2192, 2262, 2324, 2394, 2456, 3178};

// The years whose first day and length the table decides (the next year's first day gives the length).
bool inTable(int year)
{
    return year >= leapBreaks.front() && year + 1 < leapBreaks.back();
}

// The Julian day of 1 Farvardin of a solar year within the table.
qint64 nowruz(int year)
{
    // Leap years counted from the table's first year to this one, in the solar calendar...
    int solarLeaps = -14;
    int cycleStart = leapBreaks.front();
    int jump = 0;
    for (std::size_t i = 1; i < leapBreaks.size(); ++i) {
        jump = leapBreaks[i] - cycleStart;
        if (year < leapBreaks[i])
            break;
        solarLeaps += jump / 33 * 8 + jump % 33 / 4;
        cycleStart = leapBreaks[i];
    }
    const int intoCycle = year - cycleStart;
    solarLeaps += intoCycle / 33 * 8 + (intoCycle % 33 + 3) / 4;
    if (jump % 33 == 4 && jump - intoCycle == 4)
        ++solarLeaps;
    // ... and in the Gregorian calendar up to the Gregorian year in which it begins.
    const int gregorianYear = year + 621;
    const int gregorianLeaps = gregorianYear / 4 - (gregorianYear / 100 + 1) * 3 / 4 - 150;
    return QDate(gregorianYear, 3, 20 + solarLeaps - gregorianLeaps).toJulianDay();
}

// Days of the year before the first of a month: six months of 31 days, then months of 30.
int daysBeforeMonth(int month)
{
    return month <= 7 ? (month - 1) * 31 : 186 + (month - 7) * 30;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

TShamsiDate TShamsiDate::fromGregorian(const QDate &date)
{
    TShamsiDate d;
    if (date.isValid() && date.year() > 0 && date.year() <= 0xFFFF) {
        d.GregorianYear = quint16(date.year());
        d.GregorianMonth = quint16(date.month());
        d.GregorianDay = quint16(date.day());
    }
    d.GregorianToShamsi();
    return d;
}

void TShamsiDate::ShamsiToday()
{
    *this = fromGregorian(QDate::currentDate());
}

void TShamsiDate::GregorianToShamsi()
{
    ShamsiYear = ShamsiMonth = ShamsiDay = 0;
    const QDate date(GregorianYear, GregorianMonth, GregorianDay);
    // The solar year that begins in this Gregorian year, or the one before it when the date comes earlier.
    int year = date.year() - 621;
    if (!date.isValid() || !inTable(year - 1) || !inTable(year))
        return;
    qint64 day = date.toJulianDay() - nowruz(year);
    if (day < 0) {
        --year;
        day = date.toJulianDay() - nowruz(year);
    }
    if (year <= 0)
        return;
    const int month = day < 186 ? 1 + int(day / 31) : 7 + int((day - 186) / 30);
    ShamsiYear = quint16(year);
    ShamsiMonth = quint16(month);
    ShamsiDay = quint16(day - daysBeforeMonth(month) + 1);
}

QString TShamsiDate::ShamsiToString() const
{
    return QString::number(ShamsiYear).left(4) + u'/' + twoDigits(ShamsiMonth) + u'/' + twoDigits(ShamsiDay);
}

bool IsGregorianLeapYear(int year)
{
    return QDate::isLeapYear(year);
}

bool IsShamsiLeapYear(int year)
{
    return inTable(year) && nowruz(year + 1) - nowruz(year) == 366;
}

int shamsiMonthLength(int year, int month)
{
    if (!inTable(year) || month < 1 || month > 12)
        return 0;
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return IsShamsiLeapYear(year) ? 30 : 29;
}

QDate shamsiToGregorian(int year, int month, int day)
{
    if (day < 1 || day > shamsiMonthLength(year, month))
        return QDate();
    return QDate::fromJulianDay(nowruz(year) + daysBeforeMonth(month) + day - 1);
}

int GregorianDayOfYear(int year, int month, int day)
{
    const QDate date(year, month, day);
    return date.isValid() ? date.dayOfYear() : 0;
}

QString shamsiToday()
{
    ShamsiDate.ShamsiToday();
    return ShamsiDate.ShamsiToString();
}

QString fiscalYear()
{
    return shamsiToday().left(4);
}
