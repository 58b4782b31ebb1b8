// Amounts in Persian words and grouped digits, letter for letter: blanks, "و" joiners and the
// zero-width non-joiners (U+200C) of the four "چهار" words.
#include "persian/amount.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestAmount : public QObject {
    Q_OBJECT

private slots:
    void words_data()
    {
        QTest::addColumn<qint64>("rials");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << u"صفر ريال"_s;
        QTest::newRow("1: two blanks before the currency") << qint64(1) << u" يک  ريال"_s;
        QTest::newRow("44 keeps its non-joiners") << qint64(44) << u" چهل\u200C و چهار\u200C  ريال"_s;
        QTest::newRow("400") << qint64(400) << u" چهارصد\u200C  ريال"_s;
        QTest::newRow("120") << qint64(120) << u" صد و بيست  ريال"_s;
        QTest::newRow("1000 speaks its one") << qint64(1000) << u" يک هزار ريال"_s;
        QTest::newRow("1001") << qint64(1001) << u" يک هزار و  يک  ريال"_s;
        QTest::newRow("1,000,000: empty groups add nothing") << qint64(1'000'000) << u" يک ميليون ريال"_s;
        QTest::newRow("1,234,567") << qint64(1'234'567)
                                   << u" يک ميليون و  دويست و سي و چهار\u200C هزار و  پانصد و شصت و هفت  ريال"_s;
        QTest::newRow("2,147,483,648: past 32 bits") << qint64(2'147'483'648)
                                                     << u" دو ميليارد و  صد و چهل\u200C و هفت ميليون و  چهارصد\u200C و "
                                                        u"هشتاد و سه هزار و  ششصد و چهل\u200C و هشت  ريال"_s;
        QTest::newRow("10^12 + 10^9") << qint64(1'001'000'000'000) << u" يک تريليون و  يک ميليارد ريال"_s;
        QTest::newRow("999,999,999,999,999")
            << qint64(999'999'999'999'999)
            << u" نهصد و نود و نه تريليون و  نهصد و نود و نه ميليارد و  نهصد و نود و نه ميليون و  نهصد و نود و نه "
               u"هزار و  نهصد و نود و نه  ريال"_s;
        // Outside the words' range: the digits.
        QTest::newRow("10^15") << qint64(1'000'000'000'000'000) << u"1000000000000000"_s;
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << u"-9223372036854775808"_s;
    }
    void words()
    {
        QFETCH(qint64, rials);
        QFETCH(QString, text);
        QCOMPARE(amount::GetNum(rials), text);
    }
    void digits()
    {
        const QList<std::pair<QString, QString>> grouped{
            {u"2345678"_s, u"2,345,678"_s}, {u"123"_s, u"123"_s}, {u"1000"_s, u"1,000"_s}, {QString(), QString()},
            {u"1234.5"_s, u"123,4.5"_s}, // every character counts
            {u"-123456"_s, u"-123,456"_s}, {u"-12"_s, u"-12"_s}}; // the sign stays in front
        for (const auto &[text, expected] : grouped)
            QCOMPARE(amount::DIGITS(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestAmount)
#include "tst_amount.moc"
