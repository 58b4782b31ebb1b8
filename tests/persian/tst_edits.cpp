// The money and quantity fields as a user types into them: filtering, grouping, caret, Persian keyboard
// digits, and the values read back (with the refusals of texts that are no number).
#include "persian/MonEdit.h"
#include "persian/RealEdit.h"
#include "support/form_input.h"
#include "support/refusal.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestEdits : public QObject {
    Q_OBJECT

private slots:
    // Typing into either field: a text set first as a form does, the caret put (-1 leaves it at the end), then
    // keys typed ("\b" deletes before the caret); Persian keyboard characters are sent as that keyboard does.
    void typing_data()
    {
        QTest::addColumn<bool>("money");
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("refused");
        const QString noNumber = u"عدد وارد شده معتبر نيست"_s;
        QTest::newRow("money grouped while typing") << true << QString() << -1 << u"2345678"_s << u"2,345,678"_s
                                                    << 2'345'678.0 << QString();
        QTest::newRow("money deleted in the middle") << true << u"2345678"_s << 5 << u"\b"_s << u"234,678"_s
                                                     << 234'678.0 << QString();
        // A digit typed in the middle that leaves the grouping as it was still sends the caret to the end.
        QTest::newRow("money typed in the middle") << true << u"1,234"_s << 1 << u"5"_s << u"15,234"_s << 15'234.0
                                                   << QString();
        // A sign typed before an amount is dropped as it is typed: no negative amount is ever shown or read.
        QTest::newRow("money drops a sign") << true << QString() << -1 << u"-5000"_s << u"5,000"_s << 5'000.0
                                            << QString();
        QTest::newRow("money drops all but digits") << true << QString() << -1 << u"1a2 b-3.4"_s << u"1,234"_s
                                                    << 1'234.0 << QString();
        QTest::newRow("money persian and arabic digits") << true << u"12"_s << -1 << u"۳۴٥٦"_s << u"123,456"_s
                                                         << 123'456.0 << QString();
        QTest::newRow("real digits and point") << false << QString() << -1 << u"12.5"_s << u"12.5"_s << 12.5 << QString();
        QTest::newRow("real keeps the minus, drops all else") << false << QString() << -1 << u"-1,250 kg"_s
                                                              << u"-1250"_s << -1250.0 << QString();
        QTest::newRow("real persian digits") << false << QString() << -1 << u"۱۲.۷٥"_s << u"12.75"_s << 12.75
                                             << QString();
        // Kept as typed; refused when read.
        QTest::newRow("real two points") << false << QString() << -1 << u"1.2.3"_s << u"1.2.3"_s << 0.0 << noNumber;
    }
    void typing()
    {
        QFETCH(bool, money);
        QFETCH(QString, set);
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, value);
        QFETCH(QString, refused);
        TMonEdit monEdit;
        TRealEdit realEdit;
        QLineEdit &edit = money ? static_cast<QLineEdit &>(monEdit) : realEdit;
        edit.show();
        edit.setText(set);
        if (caret >= 0)
            edit.setCursorPosition(caret);
        if (typed == u"\b"_s)
            QTest::keyClick(&edit, Qt::Key_Backspace);
        else if (typed.front().unicode() < 0x80)
            QTest::keyClicks(&edit, typed);
        else
            typeText(&edit, typed);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.cursorPosition(), edit.text().size());
        const auto read = [&] { return money ? double(monEdit.MonEditGetValue()) : realEdit.RealEditGetValue(); };
        const QString got = refusal([&] { QCOMPARE(read(), value); });
        QVERIFY2(refused.isEmpty() ? got.isEmpty() : got.contains(refused), qPrintable(got));
    }

    void valuesReadBack()
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
        // Nothing to read is zero: a paste without digits, a lone separator.
        edit.clear();
        edit.insert(u"abc, -"_s);
        QCOMPARE(edit.text(), QString());
        QCOMPARE(edit.MonEditGetValue(), 0);
        edit.setText(u","_s);
        QCOMPARE(edit.MonEditGetValue(), 0);

        TRealEdit real;
        QCOMPARE(real.RealEditGetValue(), 0.0);
        real.setText(QString(400, u'9')); // too large for a double
        QVERIFY(!refusal([&] { real.RealEditGetValue(); }).isEmpty());
    }
};

QTEST_MAIN(TestEdits)
#include "tst_edits.moc"
