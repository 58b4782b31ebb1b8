// The villages register: the page opening empty, adding with the code checks, edit, the province and county lists.
#include "registers/abadiha_ins_u.h"
#include "registers/abadiha_u.h"
#include "support/page_test.h"
#include "ui_abadiha_ins_u.h"
#include "ui_abadiha_u.h"

using namespace Qt::StringLiterals;

namespace {

const QString codeRepeated = u"خطا! کد آبادي تکراريست"_s;

Ui::Tabadiha_ins &entry() { return *forms::abadiha_ins->ui; }
Ui::Tabadiha &page() { return *forms::abadiha->ui; }
db::Query &list() { return *forms::dm->ADOQ_abadiha; }

// The new command, the province, county, village and code typed, and the insert button.
void newVillage(const QStringList &values)
{
    forms::abadiha_ins->hide();
    page().N2->trigger();
    setFieldTexts(forms::abadiha_ins, {{u"ostan"_s, values[0]}, {u"shahrestan"_s, values[1]}, {u"rosta"_s, values[2]},
                                       {u"cod"_s, values[3]}});
    entry().ins_btn->click();
}

} // namespace

class TestAbadiha : public PageTest {
    Q_OBJECT

private slots:
    void init()
    {
        PageTest::init();
        env->signInAs(6, u"hamid"_s);
        env->setRights(6, u"abadiha"_s, {true, true, true, true});
        for (const QStringList &v : {QStringList{u"فارس"_s, u"شيراز"_s, u"الف"_s, u"100"_s},
                                     {u"فارس"_s, u"مرودشت"_s, u"ب"_s, u"200"_s},
                                     {u"يزد"_s, u"ميبد"_s, u"ج"_s, u"300"_s}})
            addRow(*env, u"abadiha"_s,
                   {{u"ostan"_s, v[0]}, {u"shahrestan"_s, v[1]}, {u"rosta"_s, v[2]}, {u"cod"_s, v[3]}});
        forms::main_->ui->N18->trigger();
        env->dialogs.reset();
    }

    // The page opens empty, also after a search; a filter; adding: repeats and codes refused, the grid then holding
    // the new village alone.
    void opensEmptyFiltersAndAddingChecksTheCode()
    {
        QVERIFY(!list().active());
        QCOMPARE(page().cnt->text(), u"0"_s);
        page().CheckBox2->click();
        page().ostan->setText(u"فار"_s);
        page().BitBtn1->click();
        waitForTotals(list());
        QCOMPARE(page().cnt->text(), u"2"_s);
        newVillage({u"فارس"_s, u"شيراز"_s, u"الف"_s, u"100"_s});
        newVillage({u"تهران"_s, u"ري"_s, u"د"_s, u"200"_s});
        QCOMPARE(list().recordCount(), 2);
        newVillage({u"تهران"_s, u"ري"_s, u"کهريزک"_s, u"400"_s});
        QCOMPARE(textsOf(list(), u"cod"_s), QStringList{u"400"_s});
        QCOMPARE(env->scalar(u"select cmt from log"_s).toString(), u" ثبت کدآبادي جديد  400 hamid"_s);
        newVillage({u"تهران"_s, u"ري"_s, u"ه"_s, QString()});
        newVillage({u"تهران"_s, u"ري"_s, u"و"_s, QString()});
        QCOMPARE(env->dialogs.messages(), (QStringList{u"خطا! شهرستان و روستا و استان و کدآبادي تکراري است"_s,
                                                       codeRepeated, u"ثبت شد"_s, u"ثبت شد"_s, codeRepeated}));
        QCOMPARE(rowCount(*env, u"abadiha"_s), 5);
        forms::main_->ui->N18->trigger();
        QVERIFY(!list().active());
    }
    // An edit checked against the other rows and saved to its own; the county list the province's, a province
    // typed (not one set by a command) listing its counties and emptying the rest; the provinces listed.
    void editAndTheProvinceLeadingTheCounties()
    {
        page().BitBtn1->click();
        QVERIFY(list().locate(u"cod"_s, u"200"_s));
        page().N3->trigger();
        QCOMPARE(comboItems(entry().shahrestan) << entry().rosta->currentText(),
                 (QStringList{u"شيراز"_s, u"مرودشت"_s, u"ب"_s}));
        for (const QString &code : {u"300"_s, u"200"_s, u"250"_s}) {
            entry().cod->setEditText(code);
            entry().rosta->setEditText(u"ب"_s + code);
            entry().edit_btn->click();
        }
        QCOMPARE(env->dialogs.messages(), (QStringList{codeRepeated, u"ويرايش شد"_s, u"ويرايش شد"_s}));
        QCOMPARE(rowTexts(u"select ostan||':'||rosta||':'||cod from abadiha"_s),
                 (QStringList{u"فارس:الف:100"_s, u"فارس:ب250:250"_s, u"يزد:ج:300"_s}));

        forms::abadiha_ins->hide();
        page().N2->trigger();
        QCOMPARE(comboItems(entry().ostan), (QStringList{u"فارس"_s, u"يزد"_s}));
        setFieldTexts(forms::abadiha_ins, {{u"rosta"_s, u"x"_s}, {u"cod"_s, u"x"_s}});
        entry().ostan->setEditText(u"يزد"_s);
        QCOMPARE(entry().cod->currentText(), u"x"_s);
        entry().ostan->setEditText(QString());
        typeText(entry().ostan->lineEdit(), u"فارس"_s);
        QCOMPARE(comboItems(entry().shahrestan), (QStringList{u"شيراز"_s, u"مرودشت"_s}));
        QCOMPARE(entry().cod->currentText() + entry().rosta->currentText(), QString());
    }
};

QTEST_MAIN(TestAbadiha)
#include "tst_abadiha.moc"
