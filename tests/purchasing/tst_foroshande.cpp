// The vendors register: filters, new before any search, the repeat warning, edit, audit rows, import, opener.
#include "purchasing/foroshande_ins_u.h"
#include "purchasing/foroshande_src_u.h"
#include "support/page_test.h"
#include "ui_foroshande_ins_u.h"
#include "ui_foroshande_src_u.h"

using namespace Qt::StringLiterals;

namespace {

Tforoshande_src &page() { return *forms::foroshande_src; }
Ui::Tforoshande_src &pageUi() { return *forms::foroshande_src->ui; }
Ui::Tforoshande_ins &entryUi() { return *forms::foroshande_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_foroshande; }

qint64 addPurchase(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"tavrelkol"_s, columns); }
qint64 addVendor(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"foroshandegan"_s, columns); }
QStringList vendors()
{
    return rowTexts(u"select foroshgah,hesab_no,nation,nam,bank,cmt from foroshandegan order by id"_s);
}

} // namespace

class TestForoshande : public PageTest {
    Q_OBJECT

private slots:
    // The opener empties the filter texts (a box on stays on) and does not search: nothing shows before the first
    // search, which lists in shop-name order; each filter alone.
    void openerAndEachFilterAlone()
    {
        env->setRights(1, u"foroshande"_s, {true, true, true, true});
        const QList<qint64> seeded{
            addVendor(*env, {{u"foroshgah"_s, u"آهن فروشي ب"_s}, {u"hesab_no"_s, u"110"_s}, {u"cmt"_s, u"it's"_s}}),
            addVendor(*env, {{u"foroshgah"_s, u"آهن فروشي الف"_s}, {u"hesab_no"_s, u"211"_s}, {u"cmt"_s, u""_s}}),
            addVendor(*env, {{u"foroshgah"_s, u"کاغذ"_s}, {u"nam"_s, u"رضا کريمي"_s}, {u"bank"_s, u"ملت"_s},
                             {u"nation"_s, u"11"_s}}),
        };
        pageUi().CheckBox1->click();
        pageUi().foroshgah->setEditText(u"old"_s);
        pageUi().cnt->setText(u"5"_s);
        forms::main_->N11Click();
        QCOMPARE(pageUi().foroshgah->currentText() + pageUi().cnt->text(), QString());
        QVERIFY(pageUi().CheckBox1->isChecked() && listQuery().isEmpty());
        pageUi().CheckBox1->click();
        pageUi().src_btn->click();
        waitForTotals(listQuery());
        QCOMPARE(idsOf(listQuery()), (QList<qint64>{seeded[1], seeded[0], seeded[2]}));
        for (const auto &[box, control, text, rows] :
             {std::tuple{u"CheckBox1"_s, u"foroshgah"_s, u"آهن"_s, u"0,1|2"_s},
              {u"CheckBox2"_s, u"nam"_s, u"رضا"_s, u"2|1"_s}, {u"CheckBox9"_s, u"hesab_no"_s, u"11"_s, u"0,1|2"_s},
              {u"CheckBox5"_s, u"bank"_s, u"ملت"_s, u"2|1"_s}, {u"CheckBox6"_s, u"cmt"_s, u"it"_s, u"0|1"_s}})
            QCOMPARE(filterAlone(&page(), listQuery(), seeded, box, {control}, {text}), rows);
    }
    // The import: each shop's newest purchase, existing and blank shops left alone, a second run adds nothing. A vendor
    // added before any search; the same shop and account warned, only Yes going on; an edit copying the row into the
    // form, warned of nothing; the audit rows of both.
    void importInsertWithTheRepeatWarningEditAndAuditRows()
    {
        addPurchase(*env, {{u"foroshande"_s, u"ب"_s}, {u"hesab_no"_s, u"old"_s}, {u"nam"_s, u"n1"_s}});
        addPurchase(*env, {{u"foroshande"_s, u"ب"_s}, {u"hesab_no"_s, u"new"_s}, {u"nation"_s, u"9"_s},
                           {u"nam"_s, u"n2"_s}, {u"bank"_s, u"ملت"_s}});
        addPurchase(*env, {{u"foroshande"_s, u"الف"_s}, {u"hesab_no"_s, u"a"_s}});
        addPurchase(*env, {{u"foroshande"_s, u"ج"_s}, {u"hesab_no"_s, u"purchase"_s}});
        for (const QVariant &blank : {QVariant(u""_s), QVariant(u"   "_s), QVariant()})
            addPurchase(*env, {{u"foroshande"_s, blank}, {u"hesab_no"_s, u"blank"_s}});
        addVendor(*env, {{u"foroshgah"_s, u"ج"_s}, {u"hesab_no"_s, u"kept"_s}});
        const QStringList expected{u"ج|kept|null|null|null|null"_s, u"الف|a|null|null|null|"_s, u"ب|new|9|n2|ملت|"_s};
        for (int run = 0; run < 2; ++run) {
            page().N7Click();
            QCOMPARE(vendors(), expected);
        }
        QVERIFY(env->dialogs.shown.isEmpty() && listQuery().isEmpty()); // no message, the list not refreshed

        const qint64 id = addVendor(*env, {{u"foroshgah"_s, u"نور"_s}, {u"hesab_no"_s, u"123"_s}, {u"nation"_s, u"2"_s},
                         {u"bank"_s, u"سپه"_s}});
        page().N1Click();
        setFieldTexts(forms::foroshande_ins, {{u"foroshgah"_s, u"نور"_s}, {u"hesab_no"_s, u"456"_s},
                                              {u"nation"_s, u"99"_s}, {u"nam"_s, u"علي"_s}, {u"bank"_s, u"رفاه"_s},
                                              {u"cmt"_s, u"c"_s}});
        entryUi().ins_btn->click(); // another account: no warning
        QCOMPARE(listQuery().recordCount(), 1); // the new vendor shows; the others wait for a search
        env->dialogs.answers << ui::Answer::No << ui::Answer::Yes;
        entryUi().ins_btn->click();
        entryUi().ins_btn->click();
        onRow(&page(), u"src_btn"_s, listQuery(), id, u"N2"_s);
        QCOMPARE(entryUi().bank->currentText() + entryUi().nation->text(), u"سپه2"_s);
        entryUi().cmt->setText(u"new"_s);
        entryUi().edit_btn->click();
        const QString warning = u"هشدار!نام فروشگاه و شماره حساب تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
        QCOMPARE(env->dialogs.messages(), (QStringList{u"ثبت شد"_s, warning, warning, u"ثبت شد"_s, u"ويرايش شد"_s}));
        QCOMPARE(vendors(), expected + (QStringList{u"نور|123|2|null|سپه|new"_s, u"نور|456|99|علي|رفاه|c"_s,
                                                    u"نور|456|99|علي|رفاه|c"_s}));
        QCOMPARE(rowTexts(u"select cmt from log order by id"_s),
                 (QStringList{u" ثبت فروشنده جديد  نور admin"_s, u" ثبت فروشنده جديد  نور admin"_s,
                              u" ويرايش فروشنده   نور admin"_s}));
    }
};

QTEST_MAIN(TestForoshande)
#include "tst_foroshande.moc"
