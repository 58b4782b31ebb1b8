// The insurance register: the two warnings, the premium, the audit rows, the filters and the pick lists.
#include "registers/bime_ins_u.h"
#include "registers/bime_src_u.h"
#include "support/page_test.h"
#include "ui_bime_ins_u.h"
#include "ui_bime_src_u.h"

using namespace Qt::StringLiterals;

namespace {

Ui::Tbime_ins &entry() { return *forms::bime_ins->ui; }
Ui::Tbime_src &page() { return *forms::bime_src->ui; }
db::Query &list() { return *forms::dm->adoq_bime; }

void newPolicy(const QString &kind, const QString &number, const QString &amount = u"0"_s)
{
    forms::bime_ins->hide(); // each command shows the form afresh, as after a modal showing
    forms::bime_src->N1Click();
    setFieldTexts(forms::bime_ins, {{u"bimename"_s, kind}, {u"bimekonande"_s, u"ايران"_s}, {u"prj_name"_s, u"پروژه"_s},
                                    {u"bime_no"_s, number}, {u"mablagh"_s, amount}});
    entry().ins_btn->click();
}

} // namespace

class TestBime : public PageTest {
    Q_OBJECT

private slots:
    void init()
    {
        PageTest::init();
        env->signInAs(5, u"maryam"_s);
        env->setRights(5, u"bime"_s, {true, true, true, true});
        forms::main_->ui->N13->trigger();
        env->dialogs.reset();
    }

    // The premium a money edit (letters dropped, separators read; a sign refused by its caption); both warnings
    // asked, only Yes saves; an edit asks nothing and is audited with the new policy's phrase.
    void warningsAreBothAskedAndOnlyYesSaves()
    {
        newPolicy(u"ساختمان"_s, u"N0"_s, u"-12500000"_s);
        newPolicy(u"بدنه"_s, u"N1"_s, u"abc1,250,000"_s);
        QCOMPARE(env->dialogs.messages(), (QStringList{u"مقدار «مبلغ حق بيمه کل» درست نيست"_s, u"ثبت شد"_s}));
        QCOMPARE(list().recordCount(), 1);
        QCOMPARE(env->scalar(u"select us||'|'||mablagh from bime"_s).toString(), u"maryam|1250000"_s);

        env->dialogs.reset();
        env->dialogs.answers << ui::Answer::No << ui::Answer::Yes << ui::Answer::Yes << ui::Answer::Yes;
        newPolicy(u"بدنه"_s, u"N1"_s);
        newPolicy(u"بدنه"_s, QString());
        newPolicy(u"بدنه"_s, QString()); // an empty number repeats nothing, though one is stored
        const QString policyWarning =
            u"هشدار! بيمه نامه و بيمه کننده و نام پروژه تکراري است. آيا ميخواهيد ادامه دهيد؟"_s;
        QCOMPARE(askedTexts(env->dialogs),
                 (QStringList{u"هشدار! شماره بيمه نامه و نوع بيمه نامه تکراري است. آيا ميخواهيد ادامه دهيد؟"_s,
                              policyWarning, policyWarning, policyWarning}));
        QCOMPARE(rowCount(*env, u"bime"_s), 3);

        env->dialogs.reset();
        forms::bime_src->N2Click();
        entry().bime_no->setText(u"N1"_s);
        entry().edit_btn->click();
        QVERIFY(askedTexts(env->dialogs).isEmpty() && !forms::bime_ins->isVisible());
        QCOMPARE(rowTexts(u"select cmt from log"_s), QStringList(4, u" ثبت بيمه جديد  بدنه maryam"_s));
    }
    // The user filter keeps the signed-in user's policies, whatever its box shows; the issue dates.
    void filtersNarrowTheListAndTheCount()
    {
        const QList<qint64> seeded{
            addRow(*env, u"bime"_s, {{u"us"_s, u"maryam"_s}, {u"sodor_dat"_s, u"1402/01/01"_s}}),
            addRow(*env, u"bime"_s, {{u"us"_s, u"ali"_s}, {u"sodor_dat"_s, u"1403/01/01"_s}})};
        QCOMPARE(page().user->currentText(), u"maryam"_s);
        QCOMPARE(filterAlone(forms::bime_src, list(), seeded, u"CheckBox11"_s, {u"user"_s}, {u"ali"_s}), u"0|1"_s);
        QCOMPARE(filterAlone(forms::bime_src, list(), seeded, u"CheckBox4"_s, {u"sodor_dat1"_s, u"sodor_dat2"_s},
                             {u"1403/01/01"_s, u"1403/12/29"_s}),
                 u"1|1"_s);
    }
    // The three lists are marked sorted: both forms offer them in Persian order, whatever order they were filed in,
    // by any user. A new policy gets a single item; an edit keeps its own value.
    void pickLists()
    {
        for (const QString &title : {u"بيمه نامه"_s, u"بيمه کننده"_s, u"نام پروژه"_s})
            for (const QString &value : {u"پارسيان"_s, u"البرز"_s, u"ايران"_s})
                addSetting(*env, title, value, 9);
        forms::bime_src->hide();
        forms::main_->ui->N13->trigger();
        forms::bime_src->N1Click();
        for (const QComboBox *list : {page().bimename, page().bimekonande, page().prj_name, entry().bimename,
                                      entry().bimekonande, entry().prj_name})
            QCOMPARE(comboItems(list), (QStringList{u"البرز"_s, u"ايران"_s, u"پارسيان"_s}));

        env->exec(u"delete from setting where cmt<>'البرز' or component<>'بيمه کننده'"_s);
        addRow(*env, u"bime"_s, {{u"bimename"_s, u"a"_s}, {u"bimekonande"_s, u"ايران"_s}});
        forms::bime_ins->hide();
        page().src_btn->click();
        forms::bime_src->N2Click();
        QCOMPARE(entry().bimekonande->currentText(), u"ايران"_s);
        forms::bime_ins->hide();
        forms::bime_src->N1Click();
        QCOMPARE(entry().bimekonande->currentText(), u"البرز"_s);
    }
};

QTEST_MAIN(TestBime)
#include "tst_bime.moc"
