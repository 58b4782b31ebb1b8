// The solar date text: the register's fixed dates, the Iranian calendar's own leap years, and today's text.
#include "Dates.h"

#include <QCalendar>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDates : public QObject {
    Q_OBJECT

private slots:
    void converts_data()
    {
        QTest::addColumn<QDate>("gregorian");
        QTest::addColumn<QString>("solar");
        QTest::newRow("day before new year 1403") << QDate(2024, 3, 19) << u"1402/12/29"_s;
        QTest::newRow("new year 1403, 80th day of a leap year") << QDate(2024, 3, 20) << u"1403/01/01"_s;
        QTest::newRow("last day of leap year 1403") << QDate(2025, 3, 20) << u"1403/12/30"_s;
        QTest::newRow("new year 1404") << QDate(2025, 3, 21) << u"1404/01/01"_s;
        QTest::newRow("last day of leap year 1399") << QDate(2021, 3, 20) << u"1399/12/30"_s;
        QTest::newRow("last day of 1401, not leap") << QDate(2023, 3, 20) << u"1401/12/29"_s;
        QTest::newRow("29 February") << QDate(2024, 2, 29) << u"1402/12/10"_s;
        QTest::newRow("last 31-day month ends") << QDate(2024, 9, 21) << u"1403/06/31"_s;
        QTest::newRow("first 30-day month begins") << QDate(2024, 9, 22) << u"1403/07/01"_s;
        QTest::newRow("Gregorian year end") << QDate(2024, 12, 31) << u"1403/10/11"_s;
        QTest::newRow("Gregorian new year") << QDate(2025, 1, 1) << u"1403/10/12"_s;
        // 1408 is a leap year and begins on 20 March 2029; a rule that makes 1407 the leap year is a day late
        // all through 1408.
        QTest::newRow("last day of 1407") << QDate(2029, 3, 19) << u"1407/12/29"_s;
        QTest::newRow("new year 1408") << QDate(2029, 3, 20) << u"1408/01/01"_s;
        QTest::newRow("1408 mid-year") << QDate(2029, 9, 22) << u"1408/07/01"_s;
        QTest::newRow("1408 at Gregorian new year") << QDate(2030, 1, 1) << u"1408/10/12"_s;
        QTest::newRow("last day of leap year 1408") << QDate(2030, 3, 20) << u"1408/12/30"_s;
        QTest::newRow("new year 1409") << QDate(2030, 3, 21) << u"1409/01/01"_s;
    }
    void converts()
    {
        QFETCH(QDate, gregorian);
        QFETCH(QString, solar);
        const TShamsiDate d = TShamsiDate::fromGregorian(gregorian);
        QCOMPARE(d.ShamsiToString(), solar);
        QCOMPARE(int(d.GregorianYear), gregorian.year());
        QCOMPARE(int(d.GregorianMonth), gregorian.month());
        QCOMPARE(int(d.GregorianDay), gregorian.day());
    }
    void leapYears()
    {
        for (int year : {1399, 1403, 1408, 1412})
            QVERIFY2(IsShamsiLeapYear(year), qPrintable(QString::number(year)));
        for (int year : {1400, 1402, 1404, 1407, 1409})
            QVERIFY2(!IsShamsiLeapYear(year), qPrintable(QString::number(year)));
    }
    void todayAndFiscalYear()
    {
        // Around midnight the clock may move between the two readings: take the pair that agrees.
        QString today;
        QString expected;
        for (int attempt = 0; attempt < 3 && (today.isEmpty() || today != expected); ++attempt) {
            today = shamsiToday();
            expected = TShamsiDate::fromGregorian(QDate::currentDate()).ShamsiToString();
        }
        QCOMPARE(today, expected);
        QCOMPARE(today.size(), 10);
        QCOMPARE(ShamsiDate.ShamsiToString(), today); // the shared instance holds what it last produced

        const QCalendar jalali(QCalendar::System::Jalali);
        const QString year = fiscalYear();
        QCOMPARE(year, QString::number(jalali.partsFromDate(QDate::currentDate()).year));
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
