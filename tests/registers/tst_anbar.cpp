// The warehouse register: movements and the goods' stock, their checks, delete, two workstations, edit, filters.
#include "registers/anbar_ins_u.h"
#include "registers/anbar_src_u.h"
#include "support/page_test.h"
#include "ui_anbar_ins_u.h"
#include "ui_anbar_src_u.h"
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace {

const QString warehouse = u"انبار مرکزي"_s;
const QString in = u"ورود"_s;
const QString out = u"خروج"_s;
const QString notAvailable = u"خطا! اين مقدار از کالا موجود نمي باشد"_s;

Ui::Tanbar_ins &entry() { return *forms::anbar_ins->ui; }
Ui::Tanbar_src &page() { return *forms::anbar_src->ui; }
db::Query &list() { return *forms::dm->ADOQ_anbar; }

struct Move {
    QString type;
    QString quantity;
    QString receiver = u"علي"_s;
    int code = 1;
    QString description = u"کاغذ"_s;
    QString unit = {}; // empty: the goods' own, packets for goods 1, pieces for goods 2
};

// The new command, the movement typed (on 1403/05/01), and the insert button.
void enter(const Move &move)
{
    forms::anbar_ins->hide(); // each command shows the form afresh, as after a modal showing
    forms::anbar_src->N1Click();
    const QString unit = !move.unit.isEmpty() ? move.unit : move.code == 1 ? u"بسته"_s : u"عدد"_s;
    setFieldTexts(forms::anbar_ins, {{u"nam"_s, warehouse}, {u"typ"_s, move.type},
                                     {u"kala_cod"_s, QString::number(move.code)}, {u"kala_cmt"_s, move.description},
                                     {u"kala_vahed"_s, unit}, {u"meghdar"_s, move.quantity},
                                     {u"tahvilgirande"_s, move.receiver}, {u"dat"_s, u"1403/05/01"_s}});
    entry().ins_btn->click();
}

} // namespace

class TestAnbar : public PageTest {
    Q_OBJECT

    double stock(int code = 1) { return env->scalar(u"select mojodi from kala where cod=?"_s, {code}).toDouble(); }
    // "the stock of goods 1|the movements stored"
    QString state() { return QString::number(stock()) + u'|' + QString::number(rowCount(*env, u"anbar"_s)); }
    void deleteRow(qint64 id)
    {
        QVERIFY(list().locate(u"id"_s, id));
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        page().N3->trigger();
    }

private slots:
    void init()
    {
        PageTest::init();
        env->signInAs(2, u"reza"_s);
        for (const int code : {1, 2})
            addRow(*env, u"kala"_s, {{u"anbar"_s, warehouse}, {u"cod"_s, code},
                                     {u"vahed"_s, code == 1 ? u"بسته"_s : u"عدد"_s},
                                     {u"cmt"_s, code == 1 ? u"کاغذ"_s : u"خودکار"_s}, {u"mojodi"_s, 0.0}});
        forms::anbar_src->src_btnClick();
    }

    // A movement changes the stock, no message, its row, user, time and audit row; whole stock out, no more; no trace;
    // quantities below 0, beyond what the stock counts or not read whole refused by caption; a stored quantity and
    // stock shown in plain decimals.
    void movementsChangeTheStockAndQuantitiesAreChecked()
    {
        enter({in, u"10"_s});
        QCOMPARE(state() + u'|' + entry().mande->text() + u'|' + QString::number(list().recordCount()), u"10|1|10|1"_s);
        QCOMPARE(rowTexts(u"select us,saat from anbar union all select karbar,cmt from log"_s),
                 (QStringList{u"reza|"_s + entry().saat->storedText(), u"reza| ثبت انبار جديد  کاغذ reza"_s}));
        enter({out, u"10.5"_s, u"حسن"_s});
        enter({out, u"10"_s, u"حسن"_s});
        QCOMPARE(state(), u"0|2"_s);
        enter({in, u"0.3"_s, u"a"_s});
        enter({out, u"0.1"_s, u"b"_s});
        enter({out, u"0.2"_s, u"c"_s});
        QCOMPARE(state() + u'|' + entry().mande->text(), u"0|5|0"_s);
        for (const QString &quantity : {u"-5"_s, u"1e400"_s, u"1000000000000000"_s, u"999999999999999"_s})
            enter({in, quantity, u"q"_s});
        QCOMPARE(stock(), 999'999'999'999'999.0);
        enter({in, u"1"_s, u"حسن"_s}); // the stock would pass what it counts
        QCOMPARE(env->dialogs.messages(), QStringList{notAvailable} + QStringList(4, u"مقدار «مقدار» درست نيست"_s));
        QCOMPARE(rowCount(*env, u"anbar"_s), 6);

        env->exec(u"update anbar set meghdar=1e-10"_s);
        env->exec(u"update kala set mojodi=2e-10 where cod=1"_s);
        forms::anbar_src->src_btnClick();
        forms::anbar_src->N2Click();
        QCOMPARE(entry().meghdar->text() + u'|' + entry().mande->text() + u'|'
                     + page().DBGrid1->model()->index(0, 6).data().toString(),
                 u"0.0000000001|0.0000000002|0.0000000001"_s);
    }
    // A delete reverses its movement unless the stock would go below zero; goods no longer registered still go.
    void deletingReversesTheStock()
    {
        enter({in, u"10"_s});
        const qint64 incoming = list().fieldByName(u"id"_s).asInteger();
        enter({out, u"4"_s});
        const qint64 outgoing = list().fieldByName(u"id"_s).asInteger();
        for (const qint64 id : {incoming, outgoing, incoming}) // the first refused: 6 - 10 is below zero
            deleteRow(id);
        QCOMPARE(state(), u"0|0"_s);
        QCOMPARE(env->dialogs.messages().mid(1),
                 (QStringList{u"خطا! موجودي اين کالا منفي مي شود و امکان حذف نيست"_s, u"آيا از حذف مطمئن هستيد؟"_s,
                              u"حذف شد"_s, u"آيا از حذف مطمئن هستيد؟"_s, u"حذف شد"_s}));

        const qint64 orphan = addRow(*env, u"anbar"_s, {{u"nam"_s, warehouse}, {u"typ"_s, out}, {u"kala_cod"_s, 9},
                                                        {u"meghdar"_s, 3.0}});
        forms::anbar_src->src_btnClick();
        deleteRow(orphan);
        QCOMPARE(rowCount(*env, u"anbar"_s), 0);
    }
    // Refused in order: the type, goods described otherwise, goods in another unit (the other goods' unit), a repeat
    // (not of the other type), a half-typed time.
    void checksRefuseInTheirOrder()
    {
        enter({u"ورودي"_s, u"1"_s});
        enter({in, u"1"_s, u"علي"_s, 1, u"کاغذ A4"_s});
        enter({in, u"1"_s, u"علي"_s, 1, u"کاغذ"_s, u"عدد"_s});
        enter({in, u"5"_s});
        enter({in, u"7"_s});
        enter({out, u"1"_s});
        forms::anbar_src->N1Click();
        entry().saat->setStoredText(u"1 :  "_s);
        entry().typ->setEditText(in);
        entry().ins_btn->click();
        QCOMPARE(env->dialogs.messages(),
                 (QStringList{u"خطا! نوع درست انتخاب نشده است"_s,
                              u"خطا! اين کالا در اين انبار موجود نيست. ابتدا مشخصات کالا را در بخش کالا ثبت نماييد"_s,
                              u"خطا! واحد اين کالا در اين انبار «بسته» است. مقدار را با همين واحد وارد نماييد"_s,
                              u"خطا! اين کالا در اين روز براي اين تحويل گيرنده در اين انبار تکراري است"_s,
                              u"مقدار «ساعت» درست نيست"_s}));
        QCOMPARE(state(), u"4|2"_s);
    }
    // A random mix of movements and deletes: the stock never below zero, always the sum of what is stored.
    void aRandomMixKeepsTheStockExact()
    {
        QRandomGenerator random(1403);
        for (int step = 0; step < 300; ++step) {
            const int code = 1 + int(random.bounded(2));
            if (random.bounded(10) < 8) {
                enter({random.bounded(2) ? in : out, QString::number(random.bounded(1, 200) / 10.0),
                       u"r"_s + QString::number(step), code, code == 1 ? u"کاغذ"_s : u"خودکار"_s});
            } else if (list().recordCount() > 0) {
                list().setRecNo(1 + int(random.bounded(list().recordCount())));
                deleteRow(list().fieldByName(u"id"_s).asInteger());
            }
            for (const int goods : {1, 2}) {
                const double sum = env->scalar(u"select coalesce(sum(case when typ=? then meghdar else -meghdar end), "
                                               "0) from anbar where kala_cod=?"_s, {in, goods}).toDouble();
                QVERIFY2(stock(goods) >= 0 && qAbs(stock(goods) - sum) < 1e-9, qPrintable(QString::number(step)));
            }
        }
        QCOMPARE(env->dialogs.errors(), QStringList());
    }
    // The warehouse lists its goods; a code or description the user types shows the goods' other fields and stock,
    // one the form sets itself starts nothing. The stock read afresh at the save, changed meanwhile elsewhere; a
    // failure inside the save keeps nothing.
    void theCascadeFollowsTheUserAndTheStockIsReadAfreshAtSave()
    {
        env->exec(u"update kala set mojodi=case cod when 1 then 10 else 4 end"_s);
        addRow(*env, u"kala"_s, {{u"anbar"_s, u"ديگر"_s}, {u"cod"_s, 5}, {u"cmt"_s, u"ميز"_s}});
        forms::anbar_src->N1Click();
        typeText(entry().nam->lineEdit(), warehouse);
        QCOMPARE(comboItems(entry().kala_cod) + comboItems(entry().kala_cmt),
                 (QStringList{u"1"_s, u"2"_s, u"کاغذ"_s, u"خودکار"_s}));
        // "code|description|unit|stock" as the form shows them
        const auto goods = [] {
            return QStringList{entry().kala_cod->currentText(), entry().kala_cmt->currentText(),
                               entry().kala_vahed->currentText(), entry().mande->text()}
                .join(u'|');
        };
        QStringList shown;
        typeText(entry().kala_cmt->lineEdit(), u"خودکار"_s);
        shown << goods();
        entry().kala_cod->setEditText(u"1"_s);
        shown << goods();
        typeText(entry().kala_cod->lineEdit(), u"9"_s); // "19": no such goods
        shown << goods();
        entry().kala_cod->lineEdit()->clear();
        typeText(entry().kala_cod->lineEdit(), u"1"_s);
        shown << goods();
        QCOMPARE(shown, (QStringList{u"2|خودکار|عدد|4"_s, u"1|خودکار|عدد|4"_s, u"19|||"_s, u"1|کاغذ|بسته|10"_s}));

        otherWorkstation(*env)->exec(u"update kala set mojodi=3 where cod=1"_s);
        entry().typ->setEditText(out);
        entry().meghdar->setText(u"5"_s);
        entry().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage() + u'|' + entry().mande->text(), notAvailable + u"|3"_s); // as found
        entry().typ->setEditText(in);
        entry().ins_btn->click();
        QCOMPARE(state(), u"8|1"_s);
        env->exec(u"drop table log"_s);
        enter({out, u"4"_s});
        QCOMPARE(env->dialogs.errors().size(), 1);
        QCOMPARE(state(), u"8|1"_s);
        QCOMPARE(list().recordCount(), 1); // the list shows what the database holds
    }
    // An edit offers only the fields it may change and stores only those; the stock and audit rows stay.
    void anEditStoresOnlyWhatItMay()
    {
        enter({in, u"10"_s});
        forms::anbar_src->N2Click();
        QVERIFY(env->dialogs.lastMessage().startsWith(u"فقط برخي فيلدها"_s));
        QVERIFY(!entry().meghdar->isEnabled() && !entry().nam->isEnabled() && !entry().kala_cod->isEnabled());
        QVERIFY(entry().dat->isEnabled() && entry().tahvilgirande->isEnabled());
        setFieldTexts(forms::anbar_ins, {{u"meghdar"_s, u"99"_s}, {u"dat"_s, u"1403/06/02"_s},
                                         {u"tahvilgirande"_s, u"مريم"_s}});
        entry().edit_btn->click();
        QCOMPARE(rowTexts(u"select meghdar,dat,tahvilgirande from anbar"_s), QStringList{u"10|1403/06/02|مريم"_s});
        QCOMPARE(state() + u'|' + QString::number(rowCount(*env, u"log"_s)), u"10|1|1"_s); // the insert's audit row
        forms::anbar_src->N1Click();
        QVERIFY(entry().meghdar->isEnabled()); // a new movement offers every field again
    }
    // The opener empties the code, dates from today, and searches; the code filter and the dates narrow the list.
    void theOpenerAndTheFilters()
    {
        QList<qint64> seeded;
        for (const auto &[code, date] : {std::pair{12, u"1403/01/10"_s}, {3, u"1403/02/10"_s}, {12, u"1403/03/10"_s}})
            seeded << addRow(*env, u"anbar"_s, {{u"kala_cod"_s, code}, {u"kala_cmt"_s, u"کاغذ"_s}, {u"dat"_s, date}});
        page().kala_cod->setText(u"old"_s);
        env->setRights(2, u"anbar"_s, {false, false, false, true});
        forms::main_->ui->N14->trigger();
        waitForTotals(list());
        QCOMPARE(fieldTexts(forms::anbar_src, {u"kala_cod"_s, u"dat1"_s, u"dat2"_s, u"cnt"_s}),
                 u'|' + shamsiToday() + u'|' + shamsiToday() + u"|3"_s);
        QCOMPARE(filterAlone(forms::anbar_src, list(), seeded, u"CheckBox1"_s, {u"kala_cod"_s}, {u"۱۲"_s}), u"0,2|2"_s);
        QCOMPARE(filterAlone(forms::anbar_src, list(), seeded, u"CheckBox3"_s, {u"dat1"_s, u"dat2"_s},
                             {u"1403/02/01"_s, u"1403/12/29"_s}),
                 u"1,2|2"_s);
    }
};

QTEST_MAIN(TestAnbar)
#include "tst_anbar.moc"
