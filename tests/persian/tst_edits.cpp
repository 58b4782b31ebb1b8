// The money, quantity, date and time fields as a user types into them: filtering, grouping, caret, Persian
// keyboard digits, and the values read back (with the refusals of texts that are no number or no time).
#include "persian/MonEdit.h"
#include "persian/RealEdit.h"
#include "persian/persian_text.h"
#include "support/form_input.h"
#include "support/refusal.h"
#include "ui/date_edit.h"
#include "ui/refusal.h"
#include "ui/time_edit.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestEdits : public QObject {
    Q_OBJECT

private slots:
    // A text set first as a form (or a paste) sets it, with the caret put at its "|" (else at the end), then keys
    // typed ("\b" deletes before the caret) as a Persian or Latin keyboard sends them; then the text shown, the
    // caret at its end, and the value read (or the refusal of it).
    void typing_data()
    {
        QTest::addColumn<bool>("money");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("read");
        const QString tooLong = u"مبلغ وارد شده بيش از 18 رقم دارد"_s, noAmount = u"مبلغ وارد شده درست نيست: "_s,
                      noNumber = u"عدد وارد شده معتبر نيست: "_s;
        const auto row = [](const char *name, bool money, const QString &set, const QString &typed,
                            const QString &shown, const QString &read) {
            QTest::newRow(name) << money << set << typed << shown << read;
        };
        row("money grouped while typing", true, {}, u"2345678"_s, u"2,345,678"_s, u"2345678"_s);
        row("money deleted in the middle", true, u"2,345|,678"_s, u"\b"_s, u"234,678"_s, u"234678"_s);
        // A digit typed in the middle that leaves the grouping as it was still sends the caret to the end.
        row("money typed in the middle", true, u"1|,234"_s, u"5"_s, u"15,234"_s, u"15234"_s);
        row("money drops letters and blanks", true, {}, u"1a2 b3,4"_s, u"1,234"_s, u"1234"_s);
        // What would change the amount if dropped stays, to be refused: a sign (in front), a decimal point.
        row("money keeps a sign in front", true, {}, u"12-34"_s, u"-1,234"_s, noAmount + u"-1,234"_s);
        row("money keeps a decimal point", true, u"۱۲۳۴٫۵"_s, {}, u"1,234.5"_s, noAmount + u"1,234.5"_s);
        row("money persian and arabic digits", true, u"12"_s, u"۳۴٥٦"_s, u"123,456"_s, u"123456"_s);
        // Beyond 32 bits; leading zeros are no digits of the amount; 19 digits are refused, never wrapped.
        row("money of 18 digits", true, u"0000999999999999999999"_s, {}, u"0,000,999,999,999,999,999,999"_s,
            u"999999999999999999"_s);
        row("money of 19 digits", true, u"1000000000000000000"_s, {}, u"1,000,000,000,000,000,000"_s, tooLong);
        row("money pasted without digits", true, u"abc, "_s, {}, {}, u"0"_s);
        // Keys that have no place in a number are dropped as typed; Persian digits and decimal separator read.
        row("real keeps the minus, drops all else", false, {}, u"-1,250 kg"_s, u"-1250"_s, u"-1250"_s);
        row("real persian digits", false, {}, u"۱۲٫۷٥"_s, u"12.75"_s, u"12.75"_s);
        row("real empty", false, {}, {}, {}, u"0"_s);
        // A number pasted whole with an exponent shows in plain decimals; other texts stay, refused when read.
        row("real pasted with an exponent", false, u"-2.5E-10"_s, {}, u"-0.00000000025"_s, u"-2.5e-10"_s);
        row("real pasted too large", false, u"1e400"_s, {}, u"1e400"_s, noNumber + u"1e400"_s);
        row("real pasted with a unit", false, u"12 kg"_s, {}, u"12 kg"_s, noNumber + u"12 kg"_s);
        row("real pasted with a comma", false, u"1,5"_s, {}, u"1,5"_s, noNumber + u"1,5"_s);
        row("real two points", false, {}, u"1.2.3"_s, u"1.2.3"_s, noNumber + u"1.2.3"_s);
        row("real too large for a double", false, QString(400, u'9'), {}, QString(400, u'9'),
            noNumber + QString(400, u'9'));
    }
    void typing()
    {
        QFETCH(bool, money);
        QFETCH(QString, set);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, read);
        TMonEdit monEdit;
        TRealEdit realEdit;
        QLineEdit &edit = money ? static_cast<QLineEdit &>(monEdit) : realEdit;
        edit.show();
        edit.setText(QString(set).remove(u'|'));
        if (set.contains(u'|'))
            edit.setCursorPosition(int(set.indexOf(u'|')));
        if (typed == u"\b"_s)
            QTest::keyClick(&edit, Qt::Key_Backspace);
        else
            typeText(&edit, typed);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.cursorPosition(), edit.text().size());
        QString value;
        const QString refused = refusal([&] {
            value = money ? QString::number(monEdit.MonEditGetValue()) : QString::number(realEdit.RealEditGetValue());
        });
        QCOMPARE(refused.isEmpty() ? value : refused, read);
    }

    // A name shows nothing when it holds only blanks and Unicode's default-ignorable characters (the ends of
    // each range, those beyond 16 bits as surrogate pairs); a character just outside a range shows.
    void blankTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("blank");
        const QList<char32_t> ignorable = {0x00AD,  0x034F,  0x061C,  0x115F,  0x1160,  0x17B4,  0x17B5,  0x180B,
                                           0x180F,  0x200B,  0x200F,  0x202A,  0x202E,  0x2060,  0x206F,  0x3164,
                                           0xFE00,  0xFE0F,  0xFEFF,  0xFFA0,  0xFFF0,  0xFFF8,  0x1BCA0, 0x1BCA3,
                                           0x1D173, 0x1D17A, 0xE0000, 0xE0FFF};
        const QList<char32_t> shown = {0x115E, 0x1161, 0x180A, 0x2010, 0x2070,  0x3165,  0xFFF9,
                                       0x0600, 0xD800, 0x1D172, 0x1D17B, 0xE1000, u'a'};
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("blanks") << u" \t\u00A0\u3000"_s << true;
        for (const char32_t c : ignorable)
            QTest::addRow("U+%04X", unsigned(c)) << u" "_s + QString::fromUcs4(&c, 1) + u"\u200C"_s << true;
        for (const char32_t c : shown) { // U+D800: a lone surrogate, shown as the replacement character
            const QString character = c == 0xD800 ? QString(QChar(char16_t(c))) : QString::fromUcs4(&c, 1);
            QTest::addRow("U+%04X shows", unsigned(c)) << u"\u200C"_s + character << false;
        }
    }
    void blankTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, blank);
        QCOMPARE(text::isBlank(text), blank);
    }

    // The masked date field: what it shows and what it hands over for storing.
    void dateStoredAndShownTexts_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("blank");
        QTest::newRow("older row's blanks") << u"    /  /  "_s << u"    /  /  "_s << u"____/__/__"_s << true;
        QTest::newRow("empty") << QString() << u"    /  /  "_s << u"____/__/__"_s << true;
        QTest::newRow("month missing") << u"1403/  /15"_s << u"1403/  /15"_s << u"1403/__/15"_s << false;
        QTest::newRow("persian digits") << u"۱۴۰۲/۱۲/۰۹"_s << u"1402/12/09"_s << u"1402/12/09"_s << false;
    }
    void dateStoredAndShownTexts()
    {
        QFETCH(QString, set);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(bool, blank);
        TMaskedDateEdit edit;
        edit.setStoredText(u"1399/09/09"_s); // a text before, so that setting replaces it
        edit.setStoredText(set);
        QCOMPARE((QStringList{edit.storedText(), edit.displayText()}), (QStringList{stored, shown}));
        QCOMPARE(edit.isBlank(), blank);
    }
    void datePersianDigitsBecomeLatin()
    {
        TMaskedDateEdit edit;
        edit.show();
        edit.setCursorPosition(0);
        typeText(&edit, u"۱۴۰۳٠١١٥"_s); // Persian year, Arabic-Indic month and day
        QCOMPARE((QStringList{edit.storedText(), edit.displayText()}), (QStringList{u"1403/01/15"_s, u"1403/01/15"_s}));
        QCOMPARE(edit.cursorPosition(), 10);
    }

    // The 24-hour clock text; the untouched "  :  " passes the check, a time begun but not finished does not.
    void timeTextsAndCheck()
    {
        QCOMPARE(TMaskedTimeEdit::clockText(QTime(0, 20)), u"00:20"_s);
        QCOMPARE(TMaskedTimeEdit::clockText(QTime(15, 5)), u"15:05"_s);
        TMaskedTimeEdit edit;
        QCOMPARE(edit.storedText(), u"  :  "_s);
        times::checkTime(&edit, u"ساعت"_s);
        edit.setStoredText(u"۰۸:۳۰"_s);
        QCOMPARE(edit.storedText(), u"08:30"_s);
        times::checkTime(&edit, u"ساعت"_s);
        for (const QString &wrong : {u"8 :3 "_s, u"24:00"_s, u"12:60"_s}) {
            edit.setStoredText(wrong);
            QVERIFY_THROWS_EXCEPTION(ui::Refusal, times::checkTime(&edit, u"ساعت"_s));
        }
    }
};

QTEST_MAIN(TestEdits)
#include "tst_edits.moc"
