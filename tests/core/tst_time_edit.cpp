// The masked time field: the 24-hour clock text, the untouched "  :  ", and a time begun but not finished.
#include "ui/refusal.h"
#include "ui/time_edit.h"
#include <QTest>

using namespace Qt::StringLiterals;

class TestTimeEdit : public QObject {
    Q_OBJECT
private slots:
    void clockTextIsTwentyFourHours()
    {
        QCOMPARE(TMaskedTimeEdit::clockText(QTime(0, 20)), u"00:20"_s);
        QCOMPARE(TMaskedTimeEdit::clockText(QTime(12, 20)), u"12:20"_s);
        QCOMPARE(TMaskedTimeEdit::clockText(QTime(15, 5)), u"15:05"_s);
    }
    void storedTextsAndChecks()
    {
        TMaskedTimeEdit edit;
        QCOMPARE(edit.storedText(), u"  :  "_s);
        times::checkTime(&edit, u"ساعت"_s); // untouched is allowed
        edit.setStoredText(u"۰۸:۳۰"_s);
        QCOMPARE(edit.storedText(), u"08:30"_s);
        times::checkTime(&edit, u"ساعت"_s);
        for (const QString &wrong : {u"8 :3 "_s, u"24:00"_s, u"12:60"_s}) {
            edit.setStoredText(wrong);
            QVERIFY_THROWS_EXCEPTION(ui::Refusal, times::checkTime(&edit, u"ساعت"_s));
        }
    }
};

QTEST_MAIN(TestTimeEdit)
#include "tst_time_edit.moc"
