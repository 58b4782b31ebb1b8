// The purchase entry form: the warnings on repeated numbers, the duplicate refusal, the checks before
// anything is written, insert with its audit row, edit, the vendor pick, the lists and the Enter chain.
#include "Dates.h"
#include "db/connection.h"
#include "dm_u.h"
#include "forms.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/form_input.h"
#include "support/purchase_rows.h"
#include "support/testenv.h"
#include "ui/control_text.h"
#include "ui_tavrelkol_ins_u.h"
#include <QApplication>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ui::Answer)

namespace {

Ttavrelkol_ins &entry() { return *forms::tavrelkol_ins; }
Ui::Ttavrelkol_ins &entryUi() { return *forms::tavrelkol_ins->ui; }

const QString yearWarning = u"هشدار! شماره دبيرخانه در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
const QString invoiceWarning = u"هشدار! شماره فاکتور در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
const QString receiptWarning = u"هشدار! شماره رسيد در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
const QString duplicateRefusal = u"خطا! نام پروژه و موضوع و تاريخ خريد،شماره فاکتور و رسيد تکراريست"_s;

int purchases(TestEnv &env)
{
    return env.scalar(u"select count(*) from tavrelkol"_s).toInt();
}

int auditRows(TestEnv &env)
{
    return env.scalar(u"select count(*) from log"_s).toInt();
}

QStringList asked(const TestEnv &env)
{
    QStringList texts;
    for (const auto &shown : env.dialogs.shown)
        if (shown.kind == u"ask"_s)
            texts << shown.text;
    return texts;
}

// The list searched, the row of this id made current, and the edit command.
void editPurchase(qint64 id)
{
    forms::tavrelkol_src->src_btnClick();
    QVERIFY(forms::dm->ADOQ_tavrel->locate(u"id"_s, id));
    forms::tavrelkol_src->N2Click();
}

// The new command of the list, then the given fields typed over its defaults.
void newPurchase(const QHash<QString, QString> &typed)
{
    forms::tavrelkol_src->N1Click();
    for (auto it = typed.cbegin(); it != typed.cend(); ++it) {
        QWidget *control = entry().findChild<QWidget *>(it.key());
        QVERIFY2(control, qPrintable(it.key()));
        ui::setControlText(control, it.value());
    }
}

} // namespace

class TestTavrelkolIns : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    int year = 0;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs();
        year = fiscalYear().toInt();
    }
    void cleanup() { env.reset(); }

    void insertWritesTheRowAndItsAuditRow()
    {
        env->signInAs(7, u"reza"_s);
        newPurchase({{u"prj_name"_s, u"ساختمان مرکزی"_s}, {u"mozo"_s, u"لوازم"_s}, {u"cnt"_s, u"۱۲"_s},
                     {u"mablagh"_s, u"۱۲۵۰۰۰۰"_s}, {u"mablagh_kol"_s, u"1000000000000"_s},
                     {u"tavrel_dat"_s, u"1403/02/03"_s}, {u"mozo_cmt"_s, u"خرید کاغذ"_s}, {u"faktor_no"_s, u"F1"_s},
                     {u"cmt"_s, u"it's fine"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(purchases(*env), 1);

        // The Persian yeh stored as the Arabic one; numbers typed in Persian digits; an empty receipt stored empty.
        QCOMPARE(env->scalar(u"select prj_name||'|'||cnt||'|'||mablagh||'|'||mablagh_kol||'|'||tavrel_dat||'|'||sal||'|'"
                             "||dabir_no||'|'||user_id||'|'||pardakhti||'|'||cmt||'|'||resid from tavrelkol"_s).toString(),
                 u"ساختمان مرکزي|12|1250000|1000000000000|1403/02/03|"_s + QString::number(year)
                     + u"|1|7|پرداخت نشد|it's fine|"_s);
        QCOMPARE(env->scalar(u"select karbar||'|'||cmt from log"_s).toString(), u"reza| ثبت خريد جديد  خريد کاغذ reza"_s);

        // The new row shows in the list's grid at once; the form stays open for another.
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 1);
        QVERIFY(!entryUi().ins_btn->isHidden());
    }
    void warningsAreAllAskedAndOnlyYesGoesOn_data()
    {
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<bool>("saved");
        QTest::newRow("no to the first") << QList<ui::Answer>{ui::Answer::No, ui::Answer::Yes, ui::Answer::Yes} << false;
        QTest::newRow("cancel to the second")
            << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Cancel, ui::Answer::Yes} << false;
        QTest::newRow("no to the last") << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Yes, ui::Answer::No} << false;
        QTest::newRow("three yes") << QList<ui::Answer>{ui::Answer::Yes, ui::Answer::Yes, ui::Answer::Yes} << true;
    }
    void warningsAreAllAskedAndOnlyYesGoesOn()
    {
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(bool, saved);
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 4}, {u"faktor_no"_s, u"F-1"_s}, {u"resid"_s, u"R-1"_s},
                           {u"prj_name"_s, u"other"_s}});
        newPurchase({{u"dabir_no"_s, u"4"_s}, {u"faktor_no"_s, u"F-1"_s}, {u"resid"_s, u"R-1"_s}, {u"prj_name"_s, u"p"_s}});
        env->dialogs.reset();
        env->dialogs.answers.append(answers);
        entryUi().ins_btn->click();
        QCOMPARE(asked(*env), QStringList({yearWarning, invoiceWarning, receiptWarning}));
        for (const auto &shown : env->dialogs.shown)
            if (shown.kind == u"ask"_s) {
                QCOMPARE(shown.buttons, ui::Buttons::YesNoCancel);
                QCOMPARE(shown.icon, ui::Icon::Warning);
            }
        QCOMPARE(purchases(*env), saved ? 2 : 1);
        QCOMPARE(auditRows(*env), saved ? 1 : 0);
        // A refused save leaves the form as it was.
        QCOMPARE(entryUi().prj_name->currentText(), u"p"_s);
        QCOMPARE(entryUi().dabir_no->text(), u"4"_s);
    }
    void emptyNumbersRepeatNothing()
    {
        // Rows of the year with empty invoice and receipt numbers, and one with the same numbers in another year.
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 1}, {u"faktor_no"_s, u""_s}, {u"resid"_s, u""_s}});
        addPurchase(*env, {{u"sal"_s, year - 1}, {u"dabir_no"_s, 2}, {u"faktor_no"_s, u"F-9"_s}, {u"resid"_s, u"R-9"_s}});
        newPurchase({{u"faktor_no"_s, u""_s}, {u"resid"_s, u"  "_s}, {u"mozo"_s, u"a"_s}});
        QCOMPARE(entryUi().dabir_no->text(), u"2"_s);
        entryUi().ins_btn->click();
        QCOMPARE(asked(*env), QStringList());
        QCOMPARE(purchases(*env), 3);

        newPurchase({{u"faktor_no"_s, u"F-9"_s}, {u"resid"_s, u"R-9"_s}, {u"mozo"_s, u"b"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(asked(*env), QStringList()); // the other year's numbers repeat nothing
        QCOMPARE(purchases(*env), 4);
    }
    void duplicateIsRefusedInAnyYear()
    {
        addPurchase(*env, {{u"sal"_s, year - 3}, {u"dabir_no"_s, 1}, {u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s},
                           {u"tavrel_dat"_s, u"1400/01/01"_s}, {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s}});
        newPurchase({{u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s}, {u"tavrel_dat"_s, u"1400/01/01"_s},
                     {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(asked(*env), QStringList()); // no number repeats within this year
        QCOMPARE(env->dialogs.lastMessage(), duplicateRefusal);
        QCOMPARE(purchases(*env), 1);
        QCOMPARE(auditRows(*env), 0);

        // One field apart is no duplicate.
        entryUi().resid->setText(u"R2"_s);
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ثبت شد"_s);
        QCOMPARE(purchases(*env), 2);

        // After three Yes answers the duplicate check still runs.
        entryUi().resid->setText(u"R"_s);
        entryUi().sal->setStoredText(QString::number(year - 3));
        entryUi().dabir_no->setText(u"1"_s);
        env->dialogs.reset();
        env->dialogs.answers.append({ui::Answer::Yes, ui::Answer::Yes, ui::Answer::Yes});
        entryUi().ins_btn->click();
        QCOMPARE(asked(*env), QStringList({yearWarning, invoiceWarning, receiptWarning}));
        QCOMPARE(env->dialogs.lastMessage(), duplicateRefusal);
        QCOMPARE(purchases(*env), 2);
    }
    void numbersAreCheckedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("year untouched") << u"sal"_s << QString() << u"سال"_s;
        QTest::newRow("secretariat empty on insert") << u"dabir_no"_s << QString() << u"شماره دبيرخانه"_s;
        QTest::newRow("secretariat no number") << u"dabir_no"_s << u"12a"_s << u"شماره دبيرخانه"_s;
        QTest::newRow("secretariat beyond 32 bits") << u"dabir_no"_s << u"3000000000"_s << u"شماره دبيرخانه"_s;
        QTest::newRow("total with separators") << u"mablagh_kol"_s << u"1,000"_s << u"مبلغ کل"_s;
        QTest::newRow("total with a fraction") << u"mablagh_kol"_s << u"10.5"_s << u"مبلغ کل"_s;
        QTest::newRow("total beyond the money column") << u"mablagh_kol"_s << u"922337203685478"_s << u"مبلغ کل"_s;
        QTest::newRow("impossible purchase date") << u"tavrel_dat"_s << u"1403/13/40"_s << u"تاريخ خريد"_s;
        QTest::newRow("half-typed receipt date") << u"pardakht_dat"_s << u"1403/05/  "_s << u"تاريخ رسيد"_s;
        QTest::newRow("Esfand 30th of a common year") << u"tavrel_dat"_s << u"1402/12/30"_s << u"تاريخ خريد"_s;
    }
    void numbersAreCheckedBeforeAnythingIsWritten()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, caption);
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 1}, {u"faktor_no"_s, u"F"_s}});
        forms::tavrelkol_src->src_btnClick();
        newPurchase({{u"mozo_cmt"_s, u"kept"_s}, {u"faktor_no"_s, u"F"_s}, {field, typed}});
        env->dialogs.reset();
        entryUi().ins_btn->click();
        // One message naming the field; no warning asked, no input box, nothing written.
        QCOMPARE(env->dialogs.shown.size(), 1);
        QCOMPARE(env->dialogs.shown.first().kind, u"message"_s);
        QVERIFY2(env->dialogs.shown.first().text.contains(caption), qPrintable(env->dialogs.shown.first().text));
        QCOMPARE(purchases(*env), 1);
        QCOMPARE(auditRows(*env), 0);
        QCOMPARE(forms::dm->ADOQ_tavrel->state(), db::Query::State::Browse);
        QCOMPARE(entryUi().mozo_cmt->text(), u"kept"_s);
        QCOMPARE(ui::controlText(entry().findChild<QWidget *>(field)).trimmed(), typed.trimmed());

        // The largest amount the column holds is taken whole.
        if (field == u"mablagh_kol"_s) {
            entryUi().mablagh_kol->setText(u"922337203685477"_s);
            entryUi().faktor_no->setText(u"F2"_s);
            entryUi().ins_btn->click();
            QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where mozo_cmt='kept'"_s).toLongLong(),
                     Q_INT64_C(922'337'203'685'477));
        }
    }
    void unitPriceWithSeparatorsIsAskedAgain()
    {
        newPurchase({{u"mablagh"_s, u"1,250,000"_s}, {u"mozo"_s, u"first"_s}});
        env->dialogs.reset();
        env->dialogs.inputs.enqueue(u"1250000"_s);
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.shown.first().kind, u"input"_s);
        QCOMPARE(env->dialogs.shown.first().caption, u"Mablagh"_s);
        QCOMPARE(env->dialogs.shown.first().text, u"مبلغ بزرگ است، لطفا بدون ويرگول وارد نماييد"_s);
        QCOMPARE(env->dialogs.shown.first().detail, u"1,250,000"_s);
        QCOMPARE(env->scalar(u"select mablagh from tavrelkol where mozo='first'"_s).toLongLong(), 1'250'000);

        // Cancel names the field and writes nothing.
        newPurchase({{u"mablagh"_s, u"2,000"_s}, {u"mozo"_s, u"second"_s}});
        env->dialogs.reset();
        env->dialogs.inputs.enqueue(std::nullopt);
        entryUi().ins_btn->click();
        QVERIFY(env->dialogs.lastMessage().contains(u"مبلغ واحد"_s));
        QCOMPARE(purchases(*env), 1);

        // An empty unit price is stored as null, as older rows hold.
        newPurchase({{u"mablagh"_s, u""_s}, {u"mozo"_s, u"third"_s}});
        entryUi().ins_btn->click();
        QVERIFY(env->scalar(u"select mablagh from tavrelkol where mozo='third'"_s).isNull());
    }
    void editKeepsTheUserAndWritesNoAuditRow()
    {
        const qint64 id = addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 9}, {u"user_id"_s, 5}, {u"mozo"_s, u"m"_s},
                                             {u"mablagh"_s, 300}, {u"vahed"_s, u"عدد"_s}});
        const qint64 repeated = addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 10}, {u"user_id"_s, 5}});
        editPurchase(repeated);
        entryUi().dabir_no->setText(u"9"_s); // repeats within the year: editing does not warn
        entryUi().mablagh->setText(u"۴۵۰"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ويرايش شد"_s});
        QCOMPARE(env->scalar(u"select dabir_no from tavrelkol where id=?"_s, {repeated}).toInt(), 9);
        QCOMPARE(env->scalar(u"select mablagh from tavrelkol where id=?"_s, {repeated}).toLongLong(), 450);
        QCOMPARE(env->scalar(u"select user_id from tavrelkol where id=?"_s, {repeated}).toInt(), 5);
        QCOMPARE(auditRows(*env), 0);
        QCOMPARE(purchases(*env), 2);

        // An empty secretariat number is kept null; a bad amount is refused by name without an input box.
        env->dialogs.reset();
        entryUi().dabir_no->setText(QString());
        entryUi().edit_btn->click();
        QVERIFY(env->scalar(u"select dabir_no from tavrelkol where id=?"_s, {repeated}).isNull());
        entryUi().mablagh->setText(u"1,000"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.shown.last().kind, u"message"_s);
        QVERIFY(env->dialogs.lastMessage().contains(u"مبلغ واحد"_s));
        QCOMPARE(env->scalar(u"select mablagh from tavrelkol where id=?"_s, {repeated}).toLongLong(), 450);

        // The other row was not touched.
        QCOMPARE(env->scalar(u"select dabir_no from tavrelkol where id=?"_s, {id}).toInt(), 9);
        QCOMPARE(env->scalar(u"select mablagh from tavrelkol where id=?"_s, {id}).toLongLong(), 300);
    }
    void anotherUsersSaveMeanwhile()
    {
        // Another clerk takes the proposed number between the proposal and the save: the next free one is stored.
        forms::tavrelkol_src->src_btnClick();
        newPurchase({{u"mozo"_s, u"mine"_s}});
        QCOMPARE(entryUi().dabir_no->text(), u"1"_s);
        db::Connection other(u"other"_s);
        other.setConnectionString(u"Provider=SQLite;Data Source="_s + env->dbPath());
        other.open();
        other.exec(u"insert into tavrelkol (sal, dabir_no, mozo) values (?, 1, 'theirs')"_s, {year});
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s}); // no repeat warning: the number was proposed
        QCOMPARE(env->scalar(u"select dabir_no from tavrelkol where mozo='mine'"_s).toInt(), 2);
        QCOMPARE(entryUi().dabir_no->text(), u"2"_s);

        // A row and its audit row are kept together or not at all.
        other.exec(u"create trigger refuse_audit before insert on log begin select raise(abort, 'disk full'); end"_s);
        entryUi().mozo->setEditText(u"lost"_s);
        entryUi().dabir_no->setText(u"7"_s);
        env->dialogs.reset();
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.errors().size(), 1);
        QVERIFY(env->dialogs.messages().isEmpty()); // no "ثبت شد" for a row that was not kept
        QCOMPARE(purchases(*env), 2);
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 2); // the list shows what the database holds
        QCOMPARE(auditRows(*env), 1);
        other.exec(u"drop trigger refuse_audit"_s);

        // Clerk B pays the purchase while clerk A has it open: A's remark is saved beside B's payment, while
        // A's own change of the payment is refused with the row shown as it now stands.
        const qint64 id = env->scalar(u"select id from tavrelkol where mozo='mine'"_s).toLongLong();
        editPurchase(id);
        other.exec(u"update tavrelkol set pardakhti='پرداخت شد', mablagh_kol=2500 where id=?"_s, {id});
        entryUi().cmt->setText(u"remark"_s);
        env->dialogs.reset();
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ويرايش شد"_s});
        QCOMPARE(env->scalar(u"select pardakhti||'|'||mablagh_kol||'|'||cmt from tavrelkol where id=?"_s, {id}).toString(),
                 u"پرداخت شد|2500|remark"_s);
        other.exec(u"update tavrelkol set mablagh_kol=3000 where id=?"_s, {id});
        entryUi().mablagh_kol->setText(u"100"_s);
        env->dialogs.reset();
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{db::message::rowChanged});
        QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where id=?"_s, {id}).toInt(), 3000);
        QCOMPARE(forms::dm->ADOQ_tavrel->fieldByName(u"mablagh_kol"_s).asInteger(), 3000);
    }
    void editKeepsAStoredTextLongerThanItsColumn()
    {
        const QString longRemark = QString(200, u'ث'); // cmt holds 150 characters
        const qint64 id = addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 3}, {u"cmt"_s, longRemark}});
        editPurchase(id);
        QCOMPARE(entryUi().cmt->text(), longRemark);
        entryUi().mablagh_kol->setText(u"500"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->scalar(u"select cmt from tavrelkol where id=?"_s, {id}).toString(), longRemark);
        QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where id=?"_s, {id}).toInt(), 500);
        // A new purchase is held to the column again.
        forms::tavrelkol_src->N1Click();
        QCOMPARE(entryUi().cmt->maxLength(), 150);
    }
    void vendorPick()
    {
        QCOMPARE(entryUi().bank->count(), 6);
        QCOMPARE(entryUi().bank->currentText(), QString()); // the layout's list chooses nothing
        env->exec(u"insert into foroshandegan (foroshgah, nam, hesab_no, bank, nation) values (?, ?, ?, ?, ?)"_s,
                  {u"فروشگاه ايران"_s, u"حسن"_s, u"123-4"_s, u"ملت"_s, u"001"_s});
        const auto vendor = [] {
            return QStringList{entryUi().nam->text(), entryUi().hesab_no->text(), entryUi().bank->currentText(),
                               entryUi().nation->text()};
        };
        entryUi().foroshande->setEditText(u"فروشگاه ايران"_s);
        QCOMPARE(vendor(), QStringList({u"حسن"_s, u"123-4"_s, u"ملت"_s, u"001"_s}));
        entryUi().foroshande->setEditText(u"فروشگاه ايرا"_s); // typing on: no such vendor
        QCOMPARE(vendor(), QStringList(4));
        entryUi().foroshande->setEditText(u"فروشگاه ایران"_s); // typed with the Persian yeh
        QCOMPARE(entryUi().nam->text(), u"حسن"_s);
    }
    void listsOnShowAndCaptionClicks()
    {
        env->exec(u"insert into foroshandegan (foroshgah) values ('shop b'), ('shop a'), ('shop b')"_s);
        env->exec(u"insert into setting (component, cmt, user_id) values ('واحد', 'متر', 1), ('واحد', 'تن', 2)"_s);

        // A new purchase: the user's only unit is chosen; the shops replace the shop list, in order.
        forms::tavrelkol_src->N1Click();
        QCOMPARE(comboItems(entryUi().foroshande), QStringList({u"shop a"_s, u"shop b"_s}));
        QCOMPARE(comboItems(entryUi().vahed), QStringList{u"متر"_s});
        QCOMPARE(entryUi().vahed->currentText(), u"متر"_s);
        QCOMPARE(entryUi().foroshande->currentText(), QString());
        entry().hide();

        // An edited row keeps its own unit, and its shop and vendor texts.
        const qint64 id =
            addPurchase(*env, {{u"vahed"_s, u"کارتن"_s}, {u"foroshande"_s, u"old shop"_s}, {u"nam"_s, u"n"_s}});
        editPurchase(id);
        QCOMPARE(entryUi().vahed->currentText(), u"کارتن"_s);
        QCOMPARE(entryUi().foroshande->currentText(), u"old shop"_s);
        QCOMPARE(entryUi().nam->text(), u"n"_s);
        entry().hide();
        // An edited row without a unit keeps it empty: the user's only unit is not put in its place.
        const qint64 noUnit = addPurchase(*env, {{u"mozo"_s, u"no unit"_s}, {u"nam"_s, u"n"_s}});
        editPurchase(noUnit);
        QCOMPARE(entryUi().vahed->currentText(), QString());

        // Caption clicks: the distinct values already used, the text typed staying.
        addPurchase(*env, {{u"prj_name"_s, u"p2"_s}, {u"kargah"_s, u"k"_s}, {u"vahed"_s, u"لیتر"_s}});
        addPurchase(*env, {{u"prj_name"_s, u"p1"_s}});
        entryUi().prj_name->setEditText(u"typed"_s);
        entry().Label1Click();
        QCOMPARE(comboItems(entryUi().prj_name), QStringList({QString(), u"p1"_s, u"p2"_s}));
        QCOMPARE(entryUi().prj_name->currentText(), u"typed"_s);
        entry().Label4Click();
        QVERIFY(comboItems(entryUi().vahed).contains(u"لیتر"_s));
        QVERIFY(!comboItems(entryUi().vahed).contains(u"متر"_s));
        entry().Label12Click();
        QCOMPARE(comboItems(entryUi().kargah), QStringList({QString(), u"k"_s}));
        // In Persian order: "پ" stands after "ب", not after every Arabic letter as its code does.
        for (const QString &mozo : {u"تهران"_s, u"پارس"_s, u"بابل"_s})
            addPurchase(*env, {{u"mozo"_s, mozo}});
        entry().Label2Click();
        QStringList persian = comboItems(entryUi().mozo);
        persian.removeIf([](const QString &item) { return item.isEmpty() || item.at(0).unicode() < 0x600; });
        QCOMPARE(persian, QStringList({u"بابل"_s, u"پارس"_s, u"تهران"_s}));
        entry().Label9Click();
        QVERIFY(comboItems(entryUi().foroshande).contains(u"old shop"_s));
        QCOMPARE(entryUi().nam->text(), u"n"_s); // refilling the list picks no vendor
    }
    void enterMovesAlongTheChain()
    {
        entry().show();
        entry().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&entry()));
        const QList<QWidget *> chain = {entryUi().prj_name, entryUi().mozo, entryUi().cnt, entryUi().vahed,
                                        entryUi().mablagh, entryUi().mablagh_kol, entryUi().tavrel_dat,
                                        entryUi().pardakht_dat, entryUi().foroshande, entryUi().resid,
                                        entryUi().faktor_no, entryUi().kargah, entryUi().sal, entryUi().cmt};
        chain.first()->setFocus();
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Return : Qt::Key_Enter);
            QVERIFY2(chain.at(i)->hasFocus(), qPrintable(chain.at(i)->objectName()));
        }
        // The last field of the chain keeps the focus, and Enter saves nothing.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(entryUi().cmt->hasFocus());
        entryUi().mozo_cmt->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(entryUi().mozo_cmt->hasFocus());
        QCOMPARE(purchases(*env), 0);
        QVERIFY(env->dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestTavrelkolIns)
#include "tst_tavrelkol_ins.moc"
