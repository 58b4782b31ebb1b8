// The goods register: numbering, repeat checks per warehouse, goods with movements, filters and the opener.
#include "registers/kala_ins_u.h"
#include "registers/kala_src_u.h"
#include "support/page_test.h"
#include "ui_kala_ins_u.h"
#include "ui_kala_src_u.h"

using namespace Qt::StringLiterals;

namespace {

const QString codeRepeated = u"خطا! اين کد کالا در اين انبار تکراري است"_s;

Ui::Tkala_ins &entry() { return *forms::kala_ins->ui; }
Ui::Tkala_src &page() { return *forms::kala_src->ui; }
db::Query &list() { return *forms::dm->ADOQ_kala; }

// A new item (id 0) or an edit of the row of this id: the warehouse, code and description typed, the form's button.
void save(qint64 id, const QString &warehouse, const QString &code, const QString &description)
{
    forms::kala_ins->hide(); // each command shows the form afresh, as after a modal showing
    if (id)
        QVERIFY(list().locate(u"id"_s, id));
    runCommand(forms::kala_src, id ? u"N2"_s : u"N1"_s);
    setFieldTexts(forms::kala_ins, {{u"anbar_name"_s, warehouse}, {u"cod"_s, code}, {u"cmt"_s, description},
                                    {u"vahed"_s, u"عدد"_s}});
    runCommand(forms::kala_ins, id ? u"edit_btn"_s : u"ins_btn"_s);
}

QString goods() { return rowTexts(u"select group_concat(anbar||':'||cod||':'||cmt, ' ') from kala"_s).value(0); }

} // namespace

class TestKala : public PageTest {
    Q_OBJECT

private slots:
    void init()
    {
        PageTest::init();
        env->signInAs(4, u"nasrin"_s);
        forms::kala_src->src_btnClick();
    }

    // Code and description repeat only within a warehouse; the code a whole number; the next code over all warehouses.
    void repeatsAreRefusedPerWarehouseAndCodesNumberedOverAll()
    {
        forms::kala_src->N1Click();
        QCOMPARE(entry().cod->text(), u"1"_s);
        save(0, u"A"_s, u"5"_s, u"پیچ"_s);
        QCOMPARE(rowTexts(u"select mojodi from kala union all select cmt from log"_s),
                 (QStringList{u"0"_s, u" ثبت کالا جديد  پيچ nasrin"_s}));
        QCOMPARE(list().recordCount(), 1);
        save(0, u"B"_s, u"5"_s, u"پيچ"_s); // another warehouse may hold the same code and description
        save(0, u"A"_s, u"5"_s, u"مهره"_s);
        save(0, u"A"_s, u"۶"_s, u"پيچ"_s);
        save(0, u"A"_s, u"۶"_s, u"مهره"_s);
        save(0, u"A"_s, u""_s, u"واشر"_s);
        QCOMPARE(env->dialogs.messages(), (QStringList{codeRepeated, u"خطا! اين شرح کالا در اين انبار تکراري است"_s,
                                                       u"مقدار «کد کالا» درست نيست"_s}));
        QTest::keyClicks(entry().cod, u"x7"_s); // letters never reach the code
        QCOMPARE(entry().cod->text(), u"7"_s);
        QCOMPARE(goods(), u"A:5:پيچ B:5:پيچ A:6:مهره"_s);
        addRow(*env, u"kala"_s, {{u"anbar"_s, u"B"_s}, {u"cod"_s, 12}});
        forms::kala_ins->hide();
        forms::kala_src->N1Click();
        QCOMPARE(entry().cod->text() + u'|' + entry().anbar_name->currentText(), u"13|"_s);
    }
    // An edit checks what changed, not against itself, and closes the form refused or not; goods with movements keep
    // warehouse and code and stay.
    void editsCheckWhatChangedAndKeepMovedGoods()
    {
        const qint64 a =
            addRow(*env, u"kala"_s, {{u"anbar"_s, u"A"_s}, {u"cod"_s, 1}, {u"cmt"_s, u"x"_s}, {u"mojodi"_s, 5.0}});
        addRow(*env, u"kala"_s, {{u"anbar"_s, u"B"_s}, {u"cod"_s, 1}, {u"cmt"_s, u"y"_s}});
        addRow(*env, u"kala"_s, {{u"anbar"_s, u"A"_s}, {u"cod"_s, 3}, {u"cmt"_s, u"z"_s}});
        forms::kala_src->src_btnClick();

        save(a, u"A"_s, u"1"_s, u"x"_s); // unchanged: no repeat with itself
        QCOMPARE(env->scalar(u"select cmt from log"_s).toString(), u" ويرايش کالا  x nasrin"_s);
        save(a, u"B"_s, u"1"_s, u"x"_s); // the warehouse alone changed: B holds code 1
        QVERIFY(!forms::kala_ins->isVisible());
        save(a, u"A"_s, u"1"_s, u"z"_s); // the description alone changed: A holds "z"
        addRow(*env, u"anbar"_s, {{u"nam"_s, u"A"_s}, {u"kala_cod"_s, 1}, {u"typ"_s, u"ورود"_s}, {u"meghdar"_s, 5.0}});
        save(a, u"A"_s, u"2"_s, u"x"_s);
        save(a, u"A"_s, u"1"_s, u"x2"_s); // its description may change
        QCOMPARE(goods(), u"A:1:x2 B:1:y A:3:z"_s);
        QCOMPARE(env->scalar(u"select mojodi from kala where id=?"_s, {a}).toDouble(), 5.0);
        QVERIFY(list().locate(u"id"_s, a)); // (goods without movements go by the kit's delete: the pages' test)
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        page().N3->trigger();
        const QString moved = u"خطا! براي اين کالا در انبار گردش ثبت شده است و "_s;
        QCOMPARE(env->dialogs.messages(),
                 (QStringList{codeRepeated, u"خطا! اين شرح کالا در اين انبار تکراري است"_s,
                              moved + u"انبار و کد آن قابل تغيير نيست"_s, u"آيا از حذف مطمئن هستيد؟"_s,
                              moved + u"امکان حذف نيست"_s}));
        QCOMPARE(rowCount(*env, u"kala"_s), 3);
    }
    // The main window's command clears the filters' texts and searches; the code and description filters.
    void filtersAndTheMainWindow()
    {
        QList<qint64> seeded;
        for (const auto &[code, description] : {std::pair{15, u"کاغذ سفيد"_s}, {51, u"کاغذ رنگي"_s}, {2, u"ميز"_s}})
            seeded << addRow(*env, u"kala"_s, {{u"anbar"_s, u"A"_s}, {u"cod"_s, code}, {u"cmt"_s, description}});
        env->setRights(4, u"kala"_s, {true, true, true, true});
        page().CheckBox1->click();
        page().cod->setText(u"5"_s);
        forms::main_->ui->N15->trigger(); // clears the texts and searches: an empty code keeps every row
        QCOMPARE(list().recordCount(), 3);
        page().cod->setText(u"5"_s); // with the description: the code's filter still on
        QCOMPARE(filterAlone(forms::kala_src, list(), seeded, u"CheckBox2"_s, {u"cmt"_s}, {u"سفيد"_s}, {}), u"0"_s);
    }
};

QTEST_MAIN(TestKala)
#include "tst_kala.moc"
