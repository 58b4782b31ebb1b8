// The Persian text of the register: amounts in words and grouped digits, the solar date against the Iranian
// calendar, and the money, quantity, date and time fields as a user types into them (filtering, grouping, caret,
// Persian keyboard digits, the values read back or refused).
#include "persian/Dates.h"
#include "persian/MonEdit.h"
#include "persian/RealEdit.h"
#include "persian/amount.h"
#include "persian/persian_text.h"
#include "support/form_input.h"
#include "support/refusal.h"
#include "ui/date_edit.h"
#include "ui/refusal.h"
#include "ui/time_edit.h"
#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPersian : public QObject {
    Q_OBJECT

private slots:
    // Amounts in words, letter for letter: blanks, "و" joiners and the zero-width non-joiners (U+200C) of the four
    // "چهار" words.
    void words()
    {
        const QList<std::pair<qint64, QString>> cases = {
            {0, u"صفر ريال"_s},
            {1, u" يک  ريال"_s}, // two blanks before the currency
            {44, u" چهل\u200C و چهار\u200C  ريال"_s},
            {120, u" صد و بيست  ريال"_s},
            {1001, u" يک هزار و  يک  ريال"_s}, // the thousand speaks its one
            {1'000'000, u" يک ميليون ريال"_s}, // empty groups add nothing
            {1'234'567, u" يک ميليون و  دويست و سي و چهار\u200C هزار و  پانصد و شصت و هفت  ريال"_s},
            {2'147'483'648, u" دو ميليارد و  صد و چهل\u200C و هفت ميليون و  چهارصد\u200C و هشتاد و سه هزار و  ششصد و "
                            u"چهل\u200C و هشت  ريال"_s},
            {1'001'000'000'000, u" يک تريليون و  يک ميليارد ريال"_s},
            {999'999'999'999'999, u" نهصد و نود و نه تريليون و  نهصد و نود و نه ميليارد و  نهصد و نود و نه ميليون و  "
                                  u"نهصد و نود و نه هزار و  نهصد و نود و نه  ريال"_s},
            // Outside the words' range: the digits.
            {1'000'000'000'000'000, u"1000000000000000"_s},
            {std::numeric_limits<qint64>::min(), u"-9223372036854775808"_s},
        };
        for (const auto &[rials, text] : cases)
            QCOMPARE(amount::GetNum(rials), text);
    }
    // Amounts in grouped digits: every character counts as a digit; the sign stays in front.
    void digits()
    {
        for (const auto &[text, grouped] : {std::pair{u"2345678"_s, u"2,345,678"_s}, {u"123"_s, u"123"_s},
                                            {u"1000"_s, u"1,000"_s}, {QString(), QString()}, {u"-12"_s, u"-12"_s},
                                            {u"1234.5"_s, u"123,4.5"_s}, {u"-123456"_s, u"-123,456"_s}})
            QCOMPARE(amount::DIGITS(text), grouped);
    }

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
        // The month lengths and the text: the last day of leap year 1403, 31- and 30-day months, and the new year
        // Qt's Jalali calendar puts a day early.
        for (const auto &[day, text] :
             {std::pair{QDate(2025, 3, 20), u"1403/12/30"_s}, {QDate(2024, 9, 21), u"1403/06/31"_s},
              {QDate(2024, 9, 22), u"1403/07/01"_s}, {QDate(2025, 1, 1), u"1403/10/12"_s},
              {QDate(2058, 3, 20), u"1436/12/30"_s}, {QDate(2058, 3, 21), u"1437/01/01"_s}})
            QCOMPARE(TShamsiDate::fromGregorian(day).ShamsiToString(), text);
        // Leap years (whose Esfand 30th the walk above reached) and impossible dates.
        QVERIFY(IsShamsiLeapYear(1408) && !IsShamsiLeapYear(1437));
        const int impossible[][3] = {{1404, 12, 30}, {1403, 7, 31}, {1403, 13, 1}, {1403, 0, 1}, {1403, 1, 0}};
        for (const auto &date : impossible)
            QVERIFY(!shamsiToGregorian(date[0], date[1], date[2]).isValid());
    }
    // Today's text and year, kept in the shared instance too.
    void todayAndFiscalYear()
    {
        const QDate day = QDate::currentDate();
        const QString today = shamsiToday(), year = fiscalYear();
        if (QDate::currentDate() != day)
            QSKIP("midnight passed while the test read the date");
        QCOMPARE((QStringList{today, year, ShamsiDate.ShamsiToString()}),
                 (QStringList{TShamsiDate::fromGregorian(day).ShamsiToString(), today.left(4), today}));
    }

    // A "money" or "real" edit: a text set (as a form or a paste does; the caret at its "|", else at the end), keys
    // typed ("\b" deletes) as a Persian or Latin keyboard sends them: "text shown|caret at its end|value or refusal".
    void typing()
    {
        const QString tooLong = u"مبلغ وارد شده بيش از 18 رقم دارد"_s, noAmount = u"مبلغ وارد شده درست نيست: "_s,
                      noNumber = u"عدد وارد شده معتبر نيست: "_s;
        const QList<QStringList> cases = {
            {u"money"_s, {}, u"2345678"_s, u"2,345,678"_s, u"2345678"_s},
            {u"money"_s, u"2,345|,678"_s, u"\b"_s, u"234,678"_s, u"234678"_s},
            // A digit typed in the middle that leaves the grouping as it was still sends the caret to the end.
            {u"money"_s, u"1|,234"_s, u"5"_s, u"15,234"_s, u"15234"_s},
            {u"money"_s, {}, u"1a2 b3,4"_s, u"1,234"_s, u"1234"_s}, // letters and blanks dropped
            // What would change the amount if dropped stays, to be refused: a sign (in front), a decimal point.
            {u"money"_s, {}, u"12-34"_s, u"-1,234"_s, noAmount + u"-1,234"_s},
            {u"money"_s, u"۱۲۳۴٫۵"_s, {}, u"1,234.5"_s, noAmount + u"1,234.5"_s},
            {u"money"_s, u"12"_s, u"۳۴٥٦"_s, u"123,456"_s, u"123456"_s}, // Persian and Arabic-Indic digits
            // Beyond 32 bits; leading zeros are no digits of the amount; 19 digits are refused, never wrapped.
            {u"money"_s, u"0000999999999999999999"_s, {}, u"0,000,999,999,999,999,999,999"_s, u"999999999999999999"_s},
            {u"money"_s, u"1000000000000000000"_s, {}, u"1,000,000,000,000,000,000"_s, tooLong},
            {u"money"_s, u"abc, "_s, {}, {}, u"0"_s}, // pasted without digits
            // Keys with no place in a number dropped as typed (the minus kept); Persian digits and point read; empty 0.
            {u"real"_s, {}, u"-1,250 kg"_s, u"-1250"_s, u"-1250"_s},
            {u"real"_s, {}, u"۱۲٫۷٥"_s, u"12.75"_s, u"12.75"_s},
            {u"real"_s, {}, {}, {}, u"0"_s},
            // Pasted with an exponent: plain decimals; too large, a unit, a comma, two points: kept, refused when read.
            {u"real"_s, u"-2.5E-10"_s, {}, u"-0.00000000025"_s, u"-2.5e-10"_s},
            {u"real"_s, u"1e400"_s, {}, u"1e400"_s, noNumber + u"1e400"_s},
            {u"real"_s, u"12 kg"_s, {}, u"12 kg"_s, noNumber + u"12 kg"_s},
            {u"real"_s, u"1,5"_s, {}, u"1,5"_s, noNumber + u"1,5"_s},
            {u"real"_s, {}, u"1.2.3"_s, u"1.2.3"_s, noNumber + u"1.2.3"_s},
            {u"real"_s, QString(400, u'9'), {}, QString(400, u'9'), noNumber + QString(400, u'9')},
        };
        for (const QStringList &c : cases) {
            const QString &set = c[1], &typed = c[2];
            TMonEdit monEdit;
            TRealEdit realEdit;
            const bool money = c[0] == u"money"_s;
            QLineEdit &edit = money ? static_cast<QLineEdit &>(monEdit) : realEdit;
            edit.show();
            edit.setText(QString(set).remove(u'|'));
            if (set.contains(u'|'))
                edit.setCursorPosition(int(set.indexOf(u'|')));
            if (typed == u"\b"_s)
                QTest::keyClick(&edit, Qt::Key_Backspace);
            else
                typeText(&edit, typed);
            QString value;
            const QString refused = refusal([&] {
                value = money ? QString::number(monEdit.MonEditGetValue())
                              : QString::number(realEdit.RealEditGetValue());
            });
            QCOMPARE(edit.text() + u'|' + QString::number(edit.cursorPosition() == edit.text().size()) + u'|'
                         + (refused.isEmpty() ? value : refused),
                     c[3] + u"|1|"_s + c[4]);
        }
    }

    // A name of blanks and Unicode's default-ignorable characters shows nothing (each range's ends, surrogate pairs
    // beyond 16 bits); a character just outside a range shows (a lone U+D800 as the replacement character).
    void blankTexts()
    {
        const char32_t ignorable[] = {0x00AD,  0x034F,  0x061C,  0x115F,  0x1160,  0x17B4,  0x17B5,  0x180B,
                                      0x180F,  0x200B,  0x200F,  0x202A,  0x202E,  0x2060,  0x206F,  0x3164,
                                      0xFE00,  0xFE0F,  0xFEFF,  0xFFA0,  0xFFF0,  0xFFF8,  0x1BCA0, 0x1BCA3,
                                      0x1D173, 0x1D17A, 0xE0000, 0xE0FFF};
        const char32_t shown[] = {0x115E, 0x1161, 0x180A, 0x2010, 0x2070, 0x3165, 0xFFF9,
                                  0x0600, 0xD800, 0x1D172, 0x1D17B, 0xE1000, u'a'};
        QVERIFY(text::isBlank(QString()) && text::isBlank(u" \t\u00A0\u3000"_s));
        for (const char32_t c : ignorable)
            QVERIFY2(text::isBlank(u' ' + QString::fromUcs4(&c, 1) + u'\u200C'), qPrintable(QString::number(c, 16)));
        for (const char32_t c : shown) {
            const QString character = c == 0xD800 ? QString(QChar(char16_t(c))) : QString::fromUcs4(&c, 1);
            QVERIFY2(!text::isBlank(u"\u200C"_s + character), qPrintable(QString::number(c, 16)));
        }
    }

    // The date field's "stored|shown|blank" set over an earlier text (an older row's blanks, nothing, the month
    // missing, Persian digits), then typed on a Persian keyboard (Persian year, Arabic-Indic month and day).
    void dateStoredAndShownTexts()
    {
        const auto texts = [](const TMaskedDateEdit &edit) -> QString {
            return edit.storedText() + u'|' + edit.displayText() + u'|' + QString::number(edit.isBlank());
        };
        for (const auto &[set, expected] : {std::pair{u"    /  /  "_s, u"    /  /  |____/__/__|1"_s},
                                            {QString(), u"    /  /  |____/__/__|1"_s},
                                            {u"1403/  /15"_s, u"1403/  /15|1403/__/15|0"_s},
                                            {u"۱۴۰۲/۱۲/۰۹"_s, u"1402/12/09|1402/12/09|0"_s}}) {
            TMaskedDateEdit edit;
            edit.setStoredText(u"1399/09/09"_s);
            edit.setStoredText(set);
            QCOMPARE(texts(edit), expected);
        }
        TMaskedDateEdit edit;
        edit.show();
        edit.setCursorPosition(0);
        typeText(&edit, u"۱۴۰۳٠١١٥"_s);
        QCOMPARE(texts(edit) + QString::number(edit.cursorPosition()), u"1403/01/15|1403/01/15|010"_s);
    }

    // The 24-hour clock text; the untouched "  :  " passes the check, a time begun but not finished does not.
    void timeTextsAndCheck()
    {
        QCOMPARE(TMaskedTimeEdit::clockText(QTime(0, 20)) + TMaskedTimeEdit::clockText(QTime(15, 5)), u"00:2015:05"_s);
        TMaskedTimeEdit edit;
        QCOMPARE(edit.storedText(), u"  :  "_s);
        times::checkTime(&edit, u"ساعت"_s);
        edit.setStoredText(u"۰۸:۳۰"_s); // Persian digits
        QCOMPARE(edit.storedText(), u"08:30"_s);
        times::checkTime(&edit, u"ساعت"_s);
        for (const QString &wrong : {u"8 :3 "_s, u"24:00"_s, u"12:60"_s}) {
            edit.setStoredText(wrong);
            QVERIFY_THROWS_EXCEPTION(ui::Refusal, times::checkTime(&edit, u"ساعت"_s));
        }
    }
};

QTEST_MAIN(TestPersian)
#include "tst_persian.moc"
