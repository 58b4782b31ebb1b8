// The masked date and time fields: what they show, what they hand over for storing, typing into them from a
// Persian keyboard, and the time's check.
#include "support/form_input.h"
#include "ui/date_edit.h"
#include "ui/refusal.h"
#include "ui/time_edit.h"
#include <QTest>

using namespace Qt::StringLiterals;

class TestDateEdit : public QObject {
    Q_OBJECT

private slots:
    void storedAndShownTexts_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("blank");
        QTest::newRow("filled") << u"1403/01/15"_s << u"1403/01/15"_s << u"1403/01/15"_s << false;
        QTest::newRow("older row's blanks") << u"    /  /  "_s << u"    /  /  "_s << u"____/__/__"_s << true;
        QTest::newRow("empty") << QString() << u"    /  /  "_s << u"____/__/__"_s << true;
        QTest::newRow("month missing") << u"1403/  /15"_s << u"1403/  /15"_s << u"1403/__/15"_s << false;
        QTest::newRow("persian digits") << u"۱۴۰۲/۱۲/۰۹"_s << u"1402/12/09"_s << u"1402/12/09"_s << false;
    }
    void storedAndShownTexts()
    {
        QFETCH(QString, set);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(bool, blank);
        TMaskedDateEdit edit;
        edit.setStoredText(u"1399/09/09"_s); // a text before, so that setting replaces it
        edit.setStoredText(set);
        QCOMPARE(edit.storedText(), stored);
        QCOMPARE(edit.displayText(), shown);
        QCOMPARE(edit.isBlank(), blank);
    }
    void persianDigitsBecomeLatin()
    {
        TMaskedDateEdit edit;
        edit.show();
        edit.setCursorPosition(0);
        typeText(&edit, u"۱۴۰۳٠١١٥"_s); // Persian year, Arabic-Indic month and day
        QCOMPARE(edit.storedText(), u"1403/01/15"_s);
        QCOMPARE(edit.displayText(), u"1403/01/15"_s);
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

QTEST_MAIN(TestDateEdit)
#include "tst_date_edit.moc"
