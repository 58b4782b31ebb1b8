// The solar date text: every day of two centuries against the Iranian calendar's own new years, the
// conversion back, fixed dates, and today's text.
#include "persian/Dates.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDates : public QObject {
    Q_OBJECT

private slots:
    // Every day from 1900 to 2100 follows the day before it, converts back to itself, and every new year
    // falls where the Iranian calendar puts it.
    void everyDayOfTwoCenturies()
    {
        const QHash<int, QDate> nowruz = {
            {1279, QDate(1900, 3, 21)}, {1304, QDate(1925, 3, 21)}, {1354, QDate(1975, 3, 21)},
            {1375, QDate(1996, 3, 20)}, {1379, QDate(2000, 3, 20)}, {1399, QDate(2020, 3, 20)},
            {1400, QDate(2021, 3, 21)}, {1403, QDate(2024, 3, 20)}, {1404, QDate(2025, 3, 21)},
            {1407, QDate(2028, 3, 20)}, {1408, QDate(2029, 3, 20)}, {1409, QDate(2030, 3, 21)},
            {1436, QDate(2057, 3, 20)}, {1437, QDate(2058, 3, 21)}, {1469, QDate(2090, 3, 20)},
            {1470, QDate(2091, 3, 21)}, {1479, QDate(2100, 3, 21)},
        };
        int anchors = 0;
        TShamsiDate before = TShamsiDate::fromGregorian(QDate(1899, 12, 31));
        QCOMPARE(before.ShamsiToString(), u"1278/10/10"_s);
        for (QDate day(1900, 1, 1); day <= QDate(2100, 12, 31); day = day.addDays(1)) {
            const TShamsiDate d = TShamsiDate::fromGregorian(day);
            const int y = d.ShamsiYear, m = d.ShamsiMonth, dd = d.ShamsiDay;
            const bool sameMonth = y == before.ShamsiYear && m == before.ShamsiMonth && dd == before.ShamsiDay + 1;
            const bool nextMonth = m == before.ShamsiMonth + 1 ? y == before.ShamsiYear
                                                               : m == 1 && y == before.ShamsiYear + 1;
            const bool monthEnded =
                before.ShamsiDay == shamsiMonthLength(before.ShamsiYear, before.ShamsiMonth) && dd == 1 && nextMonth;
            QVERIFY2(sameMonth || monthEnded, qPrintable(day.toString(Qt::ISODate) + u' ' + d.ShamsiToString()));
            QCOMPARE(shamsiToGregorian(y, m, dd), day);
            if (m == 1 && dd == 1 && nowruz.contains(y)) {
                QCOMPARE(day, nowruz.value(y));
                ++anchors;
            }
            before = d;
        }
        QCOMPARE(anchors, nowruz.size());
        // The walk proves the days follow each other and the years begin where they should; these pin the month
        // lengths and the text.
        const QList<std::pair<QDate, QString>> pinned{
            {QDate(2025, 3, 20), u"1403/12/30"_s}, // the last day of leap year 1403
            {QDate(2024, 9, 21), u"1403/06/31"_s}, {QDate(2024, 9, 22), u"1403/07/01"_s}, // 31- and 30-day months
            {QDate(2025, 1, 1), u"1403/10/12"_s},
            {QDate(2058, 3, 20), u"1436/12/30"_s}, {QDate(2058, 3, 21), u"1437/01/01"_s}}; // Qt's Jalali is a day early
        for (const auto &[day, text] : pinned)
            QCOMPARE(TShamsiDate::fromGregorian(day).ShamsiToString(), text);
        // Leap years (whose Esfand 30th the walk above reached) and impossible dates.
        QVERIFY(IsShamsiLeapYear(1408) && !IsShamsiLeapYear(1437));
        const int impossible[][3] = {{1404, 12, 30}, {1403, 7, 31}, {1403, 13, 1}, {1403, 0, 1}, {1403, 1, 0}};
        for (const auto &date : impossible)
            QVERIFY(!shamsiToGregorian(date[0], date[1], date[2]).isValid());
    }
    void todayAndFiscalYear()
    {
        const QDate day = QDate::currentDate();
        const QString today = shamsiToday(), year = fiscalYear();
        if (QDate::currentDate() != day)
            QSKIP("midnight passed while the test read the date");
        QCOMPARE(today, TShamsiDate::fromGregorian(day).ShamsiToString());
        QCOMPARE(year, today.left(4));
        QCOMPARE(ShamsiDate.ShamsiToString(), today); // the shared instance holds what it last produced
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
