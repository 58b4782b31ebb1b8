#pragma once
// The solar (Persian) date as the register writes it: the text yyyy/mm/dd of the Iranian calendar.
// Every page stamps, fills and compares dates with this text; its first four characters are the fiscal year.
#include <QDate>
#include <QString>
#include <QtGlobal>

struct TShamsiDate {
    quint16 GregorianYear = 0;
    quint16 GregorianMonth = 0;
    quint16 GregorianDay = 0;
    quint16 ShamsiYear = 0;
    quint16 ShamsiMonth = 0;
    quint16 ShamsiDay = 0;

    // A record holding the given Gregorian date and its solar date.
    static TShamsiDate fromGregorian(const QDate &date);

    // Takes today's date from the workstation's local clock and converts it.
    void ShamsiToday();
    // Fills the solar fields from the Gregorian ones; an impossible Gregorian date leaves them 0.
    void GregorianToShamsi();
    // yyyy/mm/dd: the year as written (no more than four characters), month and day with a leading zero.
    QString ShamsiToString() const;
};

// The one instance shared by every caller: set it to today, then read it.
extern TShamsiDate ShamsiDate;

bool IsGregorianLeapYear(int year);
// Whether the solar year's twelfth month has 30 days in the Iranian calendar (1399, 1403, 1408, ...).
bool IsShamsiLeapYear(int year);
// The days of a solar month: 31 for months 1-6, 30 for 7-11, 29 or 30 for the twelfth; 0 for no such month.
int shamsiMonthLength(int year, int month);
// The Gregorian date of a solar date; an invalid QDate for an impossible one (1403/12/31, 1404/12/30).
QDate shamsiToGregorian(int year, int month, int day);
// 1 for 1 January; 0 for an impossible date.
int GregorianDayOfYear(int year, int month, int day);

// Today's solar date as text: ShamsiToday on ShamsiDate, then ShamsiToString.
QString shamsiToday();
// The fiscal year every page files by: the first four characters of today's solar date.
QString fiscalYear();
