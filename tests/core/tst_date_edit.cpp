// The masked date and year fields: what they show, what they hand over for storing, and typing into them
// from a Persian keyboard.
#include "support/form_input.h"
#include "ui/control_text.h"
#include "ui/date_edit.h"
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
};

QTEST_MAIN(TestDateEdit)
#include "tst_date_edit.moc"
