// The phone book: the search as the user types, adding with the name checked, deleting into the entry fields.
#include "registers/phone_u.h"
#include "support/page_test.h"
#include "ui_phone_u.h"

using namespace Qt::StringLiterals;

namespace {

Ui::Tphone &page() { return *forms::phone->ui; }
db::Query &list() { return forms::phone->list(); }

// The names listed, the count of the search on its label.
QStringList names()
{
    waitForTotals(list());
    return textsOf(list(), u"name"_s);
}

} // namespace

class TestPhone : public PageTest {
    Q_OBJECT

private slots:
    void init()
    {
        PageTest::init();
        env->signInAs(8, u"amir"_s);
        env->setRights(8, u"phone"_s, {true, false, true, true});
        addRow(*env, u"shakhsi"_s, {{u"name"_s, u"رضايي"_s}, {u"tel"_s, u"0711234"_s}, {u"mobile"_s, u"0912555"_s},
                                    {u"cmt"_s, u"تعميرکار"_s}});
        addRow(*env, u"shakhsi"_s, {{u"name"_s, u"احمدي"_s}, {u"tel"_s, u"0715555"_s}, {u"cmt"_s, u"راننده"_s}});
        addRow(*env, u"shakhsi"_s, {{u"name"_s, u""_s}, {u"tel"_s, u"555"_s}});
        page().src->setText(u"old"_s);
        forms::main_->ui->N10->trigger();
    }

    // The opener empties the search and lists by name, no nameless entry; each choice searches its column, from
    // the next keystroke.
    void theSearchFollowsTheTyping()
    {
        QCOMPARE(names(), (QStringList{u"احمدي"_s, u"رضايي"_s}));
        QCOMPARE(page().src->text() + u'|' + page().cnt->text(), u"|2"_s);
        typeText(page().src, u"رضا"_s);
        QCOMPARE(names(), QStringList{u"رضايي"_s});
        page().RadioButton2->click();
        waitForTotals(list());
        QCOMPARE(page().cnt->text(), u"1"_s);
        page().src->setText(u"555"_s);
        QCOMPARE(names(), QStringList{u"احمدي"_s}); // the phone, not the mobile
        page().RadioButton3->click();
        page().src->setText(u"ران"_s);
        waitForTotals(list());
        QCOMPARE(page().cnt->text(), u"1"_s);
    }
    // A name needed and new (the yeh as stored), the fields kept; a delete asks nothing and leaves the entry shown.
    void addingNeedsANewNameAndDeletingFillsTheFields()
    {
        page().ins_btn->click();
        page().name->setText(u"رضايی"_s);
        page().ins_btn->click();
        QCOMPARE(names(), QStringList{u"رضايي"_s});
        setFieldTexts(forms::phone, {{u"name"_s, u"O'Brien"_s}, {u"tel"_s, u"22"_s}});
        page().ins_btn->click();
        QCOMPARE(rowTexts(u"select user_id,tel from shakhsi where name='O''Brien'"_s), QStringList{u"8|22"_s});
        QCOMPARE(page().name->text() + page().tel->text(), u"O'Brien22"_s);
        QVERIFY(list().locate(u"name"_s, u"رضايي"_s));
        page().N1->trigger();
        QCOMPARE(env->dialogs.messages(), (QStringList{u"مقدار «نام» درست نيست"_s, u"نام تکراري است"_s, u"ثبت شد"_s,
                                                       u"حذف شد"_s}));
        QCOMPARE(page().mobile->text(), u"0912555"_s);
        QCOMPARE(names(), (QStringList{u"O'Brien"_s, u"احمدي"_s}));
        QCOMPARE(rowCount(*env, u"shakhsi"_s), 3);
    }
};

QTEST_MAIN(TestPhone)
#include "tst_phone.moc"
