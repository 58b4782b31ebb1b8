#include "Dates.h"

#include <QCalendar>

TShamsiDate ShamsiDate;

namespace {

// Qt's Jalali calendar follows the Iranian calendar's own leap years; a fixed offset from the Gregorian
// year does not (it puts the new year of 1408 a day late, on 21 March 2029).
const QCalendar &solarCalendar()
{
    static const QCalendar calendar(QCalendar::System::Jalali);
    return calendar;
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
    if (!date.isValid())
        return;
    const QCalendar::YearMonthDay solar = solarCalendar().partsFromDate(date);
    if (!solar.isValid() || solar.year <= 0)
        return;
    ShamsiYear = quint16(solar.year);
    ShamsiMonth = quint16(solar.month);
    ShamsiDay = quint16(solar.day);
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
    return solarCalendar().isLeapYear(year);
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
