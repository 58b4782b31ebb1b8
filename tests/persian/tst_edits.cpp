// The money, quantity, date and time fields as a user types into them: filtering, grouping, caret, Persian
// keyboard digits, and the values read back (with the refusals of texts that are no number or no time).
#include "persian/MonEdit.h"
#include "persian/RealEdit.h"
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
        const QString tooLong = u"مبلغ وارد شده بيش از 18 رقم دارد"_s, noNumber = u"عدد وارد شده معتبر نيست: "_s;
        const auto row = [](const char *name, bool money, const QString &set, const QString &typed,
                            const QString &shown, const QString &read) {
            QTest::newRow(name) << money << set << typed << shown << read;
        };
        row("money grouped while typing", true, {}, u"2345678"_s, u"2,345,678"_s, u"2345678"_s);
        row("money deleted in the middle", true, u"2,345|,678"_s, u"\b"_s, u"234,678"_s, u"234678"_s);
        // A digit typed in the middle that leaves the grouping as it was still sends the caret to the end.
        row("money typed in the middle", true, u"1|,234"_s, u"5"_s, u"15,234"_s, u"15234"_s);
        // A sign is dropped as it is typed, as is all but digits: no negative amount is ever shown or read.
        row("money drops all but digits", true, {}, u"-1a2 b-3.4"_s, u"1,234"_s, u"1234"_s);
        row("money persian and arabic digits", true, u"12"_s, u"۳۴٥٦"_s, u"123,456"_s, u"123456"_s);
        // Beyond 32 bits; leading zeros are no digits of the amount; 19 digits are refused, never wrapped.
        row("money of 18 digits", true, u"0000999999999999999999"_s, {}, u"0,000,999,999,999,999,999,999"_s,
            u"999999999999999999"_s);
        row("money of 19 digits", true, u"1000000000000000000"_s, {}, u"1,000,000,000,000,000,000"_s, tooLong);
        row("money pasted without digits", true, u"abc, -"_s, {}, {}, u"0"_s);
        row("real keeps the minus, drops all else", false, {}, u"-1,250 kg"_s, u"-1250"_s, u"-1250"_s);
        row("real persian digits", false, {}, u"۱۲.۷٥"_s, u"12.75"_s, u"12.75"_s);
        row("real empty", false, {}, {}, {}, u"0"_s);
        // Kept as typed; refused when read.
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
