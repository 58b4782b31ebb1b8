// The money and quantity fields as a user types into them: filtering, grouping, caret, Persian keyboard
// digits, and the values read back (with the refusals of texts that are no number).
#include "MonEdit.h"
#include "RealEdit.h"
#include "db/error.h"
#include "support/form_input.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The refusal's text, or empty when the value was read without one.
template <typename Read> QString refusal(Read read)
{
    try {
        read();
    } catch (const db::Error &e) {
        return e.text();
    }
    return {};
}

} // namespace

class TestEdits : public QObject {
    Q_OBJECT

private slots:
    void moneyGroupsWhileTyping();
    void moneyRegroupsAfterDeletingInTheMiddle();
    void moneyDropsEverythingButDigits();
    void moneyAcceptsPersianAndArabicDigits();
    void moneyValues();
    void realKeepsDigitsAndPoint();
    void realRefusesTextsThatAreNoNumber();
};

void TestEdits::moneyGroupsWhileTyping()
{
    TMonEdit edit;
    edit.show();
    QTest::keyClicks(&edit, u"2345678"_s);
    QCOMPARE(edit.text(), u"2,345,678"_s);
    QCOMPARE(edit.cursorPosition(), edit.text().size());
    QTest::keyClicks(&edit, u"0"_s);
    QCOMPARE(edit.text(), u"23,456,780"_s);
    QCOMPARE(edit.cursorPosition(), edit.text().size());
    QCOMPARE(edit.MonEditGetValue(), 23'456'780);

    edit.setText(u"987654"_s); // set by a form: grouped the same way
    QCOMPARE(edit.text(), u"987,654"_s);
}

void TestEdits::moneyRegroupsAfterDeletingInTheMiddle()
{
    TMonEdit edit;
    edit.show();
    QTest::keyClicks(&edit, u"2345678"_s);
    edit.setCursorPosition(5); // just after the 5 of 2,345,678
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), u"234,678"_s);
    QCOMPARE(edit.cursorPosition(), edit.text().size());
    QCOMPARE(edit.MonEditGetValue(), 234'678);

    // A digit typed in the middle that leaves the grouping as it was still sends the caret to the end.
    edit.setText(u"1,234"_s);
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, u"5"_s);
    QCOMPARE(edit.text(), u"15,234"_s);
    QCOMPARE(edit.cursorPosition(), edit.text().size());
}

void TestEdits::moneyDropsEverythingButDigits()
{
    TMonEdit edit;
    edit.show();
    QTest::keyClicks(&edit, u"1a2 b-3.4"_s);
    QCOMPARE(edit.text(), u"1,234"_s);
    edit.clear();
    edit.insert(u"abc, -"_s); // pasted
    QCOMPARE(edit.text(), QString());
    QCOMPARE(edit.MonEditGetValue(), 0);

    edit.setText(u","_s);
    QCOMPARE(edit.MonEditGetValue(), 0);
    edit.clear();
    QCOMPARE(edit.MonEditGetValue(), 0);
}

void TestEdits::moneyAcceptsPersianAndArabicDigits()
{
    TMonEdit edit;
    edit.show();
    typeText(&edit, u"۱۲۳۴"_s);
    QCOMPARE(edit.text(), u"1,234"_s);
    typeText(&edit, u"٥٦"_s);
    QCOMPARE(edit.text(), u"123,456"_s);
    QCOMPARE(edit.MonEditGetValue(), 123'456);
}

void TestEdits::moneyValues()
{
    TMonEdit edit;
    const qint64 big = qint64(1) << 40; // beyond 32 bits
    edit.setText(QString::number(big));
    QCOMPARE(edit.text(), u"1,099,511,627,776"_s);
    QCOMPARE(edit.MonEditGetValue(), big);

    edit.setText(u"999999999999999999"_s);
    QCOMPARE(edit.MonEditGetValue(), 999'999'999'999'999'999);
    edit.setText(u"0000000000000000000007"_s); // leading zeros are no amount
    QCOMPARE(edit.MonEditGetValue(), 7);

    edit.setText(u"1000000000000000000"_s); // 19 digits
    QVERIFY(refusal([&] { edit.MonEditGetValue(); }).contains(u"مبلغ وارد شده"_s));
    edit.setText(u"99999999999999999999999"_s); // past qint64 itself: refused, never wrapped
    QVERIFY(!refusal([&] { edit.MonEditGetValue(); }).isEmpty());
}

void TestEdits::realKeepsDigitsAndPoint()
{
    TRealEdit edit;
    edit.show();
    QCOMPARE(edit.RealEditGetValue(), 0.0);
    QTest::keyClicks(&edit, u"12.5"_s);
    QCOMPARE(edit.text(), u"12.5"_s);
    QCOMPARE(edit.RealEditGetValue(), 12.5);
    QCOMPARE(edit.cursorPosition(), edit.text().size());

    edit.clear();
    QTest::keyClicks(&edit, u"-1,250 kg"_s);
    QCOMPARE(edit.text(), u"1250"_s);
    QCOMPARE(edit.RealEditGetValue(), 1250.0);

    edit.clear();
    typeText(&edit, u"۱۲.۷٥"_s);
    QCOMPARE(edit.text(), u"12.75"_s);
    QCOMPARE(edit.RealEditGetValue(), 12.75);
}

void TestEdits::realRefusesTextsThatAreNoNumber()
{
    TRealEdit edit;
    edit.show();
    QTest::keyClicks(&edit, u"1.2.3"_s);
    QCOMPARE(edit.text(), u"1.2.3"_s); // kept as typed; refused when read
    QVERIFY(refusal([&] { edit.RealEditGetValue(); }).contains(u"عدد وارد شده معتبر نيست"_s));
    edit.setText(u"."_s);
    QVERIFY(refusal([&] { edit.RealEditGetValue(); }).contains(u"عدد وارد شده معتبر نيست"_s));
    edit.setText(QString(400, u'9')); // too large for a double
    QVERIFY(!refusal([&] { edit.RealEditGetValue(); }).isEmpty());
}

QTEST_MAIN(TestEdits)
#include "tst_edits.moc"
