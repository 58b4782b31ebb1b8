// The purchase entry form: the warnings on repeated numbers, the duplicate refusal, the checks before
// anything is written, insert with its audit row, edit, two users at once, the vendor pick, the lists and the
// Enter chain.
#include "persian/Dates.h"
#include "db/connection.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/form_input.h"
#include "support/page_test.h"
#include "support/purchase_rows.h"
#include "ui/control_text.h"
#include "ui_tavrelkol_ins_u.h"
#include <QApplication>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ui::Answer)

namespace {

Ttavrelkol_ins &entry() { return *forms::tavrelkol_ins; }
Ui::Ttavrelkol_ins &entryUi() { return *forms::tavrelkol_ins->ui; }

const QStringList warnings{u"هشدار! شماره دبيرخانه در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s,
                           u"هشدار! شماره فاکتور در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s,
                           u"هشدار! شماره رسيد در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s};
const QString duplicateRefusal = u"خطا! نام پروژه و موضوع و تاريخ خريد،شماره فاکتور و رسيد تکراريست"_s;

int purchases(TestEnv &env) { return rowCount(env, u"tavrelkol"_s); }
int auditRows(TestEnv &env) { return rowCount(env, u"log"_s); }

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
    setFieldTexts(&entry(), typed);
}

} // namespace

class TestTavrelkolIns : public PageTest {
    Q_OBJECT
    int year = 0;

private slots:
    void init()
    {
        PageTest::init();
        year = fiscalYear().toInt();
    }

    // The stored row (Persian yeh as the Arabic one, Persian digits, an empty receipt empty), its audit row,
    // the grid showing it at once and the form open for another.
    void insertWritesTheRowAndItsAuditRow()
    {
        env->signInAs(7, u"reza"_s);
        newPurchase({{u"prj_name"_s, u"ساختمان مرکزی"_s}, {u"mozo"_s, u"لوازم"_s}, {u"cnt"_s, u"۱۲"_s},
                     {u"mablagh"_s, u"۱۲۵۰۰۰۰"_s}, {u"mablagh_kol"_s, u"1000000000000"_s},
                     {u"tavrel_dat"_s, u"1403/02/03"_s}, {u"mozo_cmt"_s, u"خرید کاغذ"_s}, {u"faktor_no"_s, u"F1"_s},
                     {u"cmt"_s, u"it's fine"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(rowTexts(u"select prj_name,cnt,mablagh,mablagh_kol,tavrel_dat,sal,dabir_no,user_id,pardakhti,cmt,"
                          "resid from tavrelkol"_s),
                 QStringList{u"ساختمان مرکزي|12|1250000|1000000000000|1403/02/03|"_s + QString::number(year)
                             + u"|1|7|پرداخت نشد|it's fine|"_s});
        QCOMPARE(rowTexts(u"select karbar,cmt from log"_s), QStringList{u"reza| ثبت خريد جديد  خريد کاغذ reza"_s});
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 1);
        QVERIFY(!entryUi().ins_btn->isHidden());
    }
    // All three warnings are asked whatever the answers, as Yes/No/Cancel warning boxes (the kit's warning box,
    // proved here for every page); only three Yes save; a refused save leaves the form.
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
        env->dialogs.answers.append(answers);
        entryUi().ins_btn->click();
        QCOMPARE(askedTexts(env->dialogs), warnings);
        for (const auto &shown : env->dialogs.shown)
            if (shown.kind == u"ask"_s)
                QVERIFY(shown.buttons == ui::Buttons::YesNoCancel && shown.icon == ui::Icon::Warning);
        QCOMPARE(purchases(*env), saved ? 2 : 1);
        QCOMPARE(auditRows(*env), saved ? 1 : 0);
        QCOMPARE(entryUi().prj_name->currentText() + entryUi().dabir_no->text(), u"p4"_s);
    }
    // Empty numbers, and numbers of another year, repeat nothing.
    void emptyNumbersRepeatNothing()
    {
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 1}, {u"faktor_no"_s, u""_s}, {u"resid"_s, u""_s}});
        addPurchase(*env, {{u"sal"_s, year - 1}, {u"dabir_no"_s, 2}, {u"faktor_no"_s, u"F-9"_s}, {u"resid"_s, u"R-9"_s}});
        newPurchase({{u"faktor_no"_s, u""_s}, {u"resid"_s, u"  "_s}, {u"mozo"_s, u"a"_s}});
        QCOMPARE(entryUi().dabir_no->text(), u"2"_s);
        entryUi().ins_btn->click();
        newPurchase({{u"faktor_no"_s, u"F-9"_s}, {u"resid"_s, u"R-9"_s}, {u"mozo"_s, u"b"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(askedTexts(env->dialogs), QStringList());
        QCOMPARE(purchases(*env), 4);
    }
    // The same project, subject, date, invoice and receipt in any year is refused, after the warnings too;
    // one field apart is no duplicate.
    void duplicateIsRefusedInAnyYear()
    {
        addPurchase(*env, {{u"sal"_s, year - 3}, {u"dabir_no"_s, 1}, {u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s},
                           {u"tavrel_dat"_s, u"1400/01/01"_s}, {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s}});
        newPurchase({{u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s}, {u"tavrel_dat"_s, u"1400/01/01"_s},
                     {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(askedTexts(env->dialogs), QStringList()); // no number repeats within this year
        QCOMPARE(env->dialogs.lastMessage(), duplicateRefusal);
        QCOMPARE(purchases(*env) + auditRows(*env), 1); // the purchase seeded, no audit row

        entryUi().resid->setText(u"R2"_s);
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ثبت شد"_s);

        entryUi().resid->setText(u"R"_s);
        entryUi().sal->setStoredText(QString::number(year - 3));
        entryUi().dabir_no->setText(u"1"_s);
        env->dialogs.reset();
        env->dialogs.answers.append({ui::Answer::Yes, ui::Answer::Yes, ui::Answer::Yes});
        entryUi().ins_btn->click();
        QCOMPARE(askedTexts(env->dialogs), warnings);
        QCOMPARE(env->dialogs.lastMessage(), duplicateRefusal);
        QCOMPARE(purchases(*env), 2);
    }
    // One message naming the field, no warning or input box before it, nothing written. The dates here are the
    // kit's date check for every entry form: impossible, half-typed, Esfand's 30th of a common year.
    void numbersAreCheckedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("year untouched") << u"sal"_s << QString() << u"سال"_s;
        QTest::newRow("secretariat empty on insert") << u"dabir_no"_s << QString() << u"شماره دبيرخانه"_s;
        QTest::newRow("secretariat beyond 32 bits") << u"dabir_no"_s << u"3000000000"_s << u"شماره دبيرخانه"_s;
        QTest::newRow("total with separators") << u"mablagh_kol"_s << u"1,000"_s << u"مبلغ کل"_s;
        QTest::newRow("signed total") << u"mablagh_kol"_s << u"-5000"_s << u"مبلغ کل"_s;
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
        newPurchase({{u"faktor_no"_s, u"F"_s}, {field, typed}});
        env->dialogs.reset();
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.shown.size(), 1);
        QVERIFY2(env->dialogs.lastMessage().contains(caption), qPrintable(env->dialogs.lastMessage()));
        QCOMPARE(purchases(*env) + auditRows(*env), 1); // the purchase seeded, no audit row

        if (field == u"mablagh_kol"_s) { // the largest amount the column holds is taken whole
            entryUi().mablagh_kol->setText(u"922337203685477"_s);
            entryUi().faktor_no->setText(u"F2"_s);
            entryUi().ins_btn->click();
            QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where faktor_no='F2'"_s).toLongLong(),
                     Q_INT64_C(922'337'203'685'477));
        }
    }
    // A unit price with separators is asked for once more; Cancel names the field; empty is stored null.
    void unitPriceWithSeparatorsIsAskedAgain()
    {
        newPurchase({{u"mablagh"_s, u"1,250,000"_s}, {u"mozo"_s, u"first"_s}});
        env->dialogs.reset();
        env->dialogs.inputs.enqueue(u"1250000"_s);
        entryUi().ins_btn->click();
        const auto &box = env->dialogs.shown.first();
        QCOMPARE(box.kind + u'|' + box.caption + u'|' + box.text + u'|' + box.detail,
                 u"input|Mablagh|مبلغ بزرگ است، لطفا بدون ويرگول وارد نماييد|1,250,000"_s);
        QCOMPARE(env->scalar(u"select mablagh from tavrelkol where mozo='first'"_s).toLongLong(), 1'250'000);

        newPurchase({{u"mablagh"_s, u"2,000"_s}, {u"mozo"_s, u"second"_s}});
        env->dialogs.inputs.enqueue(std::nullopt);
        entryUi().ins_btn->click();
        QVERIFY(env->dialogs.lastMessage().contains(u"مبلغ واحد"_s));
        QCOMPARE(purchases(*env), 1);

        newPurchase({{u"mablagh"_s, u""_s}, {u"mozo"_s, u"third"_s}});
        entryUi().ins_btn->click();
        QVERIFY(env->scalar(u"select mablagh from tavrelkol where mozo='third'"_s).isNull());
    }
    // Edit: no warning on a repeated number, the user kept, no audit row, an empty secretariat number kept
    // null, a bad amount refused without an input box, the other row untouched.
    void editKeepsTheUserAndWritesNoAuditRow()
    {
        addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 9}, {u"user_id"_s, 5}, {u"mablagh"_s, 300}});
        const qint64 edited = addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 10}, {u"user_id"_s, 5}});
        editPurchase(edited);
        entryUi().dabir_no->setText(u"9"_s);
        entryUi().mablagh->setText(u"۴۵۰"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ويرايش شد"_s});
        QCOMPARE(rowTexts(u"select dabir_no,mablagh,user_id from tavrelkol where id=?"_s, {edited}),
                 QStringList{u"9|450|5"_s});
        QCOMPARE(auditRows(*env), 0);

        env->dialogs.reset();
        entryUi().dabir_no->setText(QString());
        entryUi().edit_btn->click();
        entryUi().mablagh->setText(u"1,000"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.shown.last().kind, u"message"_s);
        QVERIFY(env->dialogs.lastMessage().contains(u"مبلغ واحد"_s));
        QCOMPARE(rowTexts(u"select dabir_no,mablagh from tavrelkol order by id"_s),
                 (QStringList{u"9|300"_s, u"null|450"_s}));
    }
    // Two users at once: a proposed number taken meanwhile, a row and its audit row kept together or not at
    // all, and an edit writing only the changed fields while they still hold what was read.
    void anotherUsersSaveMeanwhile()
    {
        forms::tavrelkol_src->src_btnClick();
        newPurchase({{u"mozo"_s, u"mine"_s}});
        QCOMPARE(entryUi().dabir_no->text(), u"1"_s);
        const auto other = otherWorkstation(*env);
        other->exec(u"insert into tavrelkol (sal, dabir_no, mozo) values (?, 1, 'theirs')"_s, {year});
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s}); // no repeat warning: the number was proposed
        QCOMPARE(env->scalar(u"select dabir_no from tavrelkol where mozo='mine'"_s).toInt(), 2);
        QCOMPARE(entryUi().dabir_no->text(), u"2"_s);

        other->exec(u"create trigger refuse_audit before insert on log begin select raise(abort, 'disk full'); end"_s);
        entryUi().mozo->setEditText(u"lost"_s);
        entryUi().dabir_no->setText(u"7"_s);
        env->dialogs.reset();
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.errors().size(), 1);
        QVERIFY(env->dialogs.messages().isEmpty()); // no "ثبت شد" for a row that was not kept
        QCOMPARE(purchases(*env), 2);
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 2); // the list shows what the database holds
        QCOMPARE(auditRows(*env), 1);
        other->exec(u"drop trigger refuse_audit"_s);

        // Clerk B pays the purchase while clerk A has it open: A's remark is saved beside B's payment, while
        // A's own change of the payment is refused with the row shown as it now stands.
        const qint64 id = env->scalar(u"select id from tavrelkol where mozo='mine'"_s).toLongLong();
        editPurchase(id);
        other->exec(u"update tavrelkol set pardakhti='پرداخت شد', mablagh_kol=2500 where id=?"_s, {id});
        entryUi().cmt->setText(u"remark"_s);
        env->dialogs.reset();
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ويرايش شد"_s});
        QCOMPARE(rowTexts(u"select pardakhti,mablagh_kol,cmt from tavrelkol where id=?"_s, {id}),
                 QStringList{u"پرداخت شد|2500|remark"_s});
        other->exec(u"update tavrelkol set mablagh_kol=3000 where id=?"_s, {id});
        entryUi().mablagh_kol->setText(u"100"_s);
        env->dialogs.reset();
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{db::message::rowChanged});
        QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where id=?"_s, {id}).toInt(), 3000);
        QCOMPARE(forms::dm->ADOQ_tavrel->fieldByName(u"mablagh_kol"_s).asInteger(), 3000);
    }
    // A registered shop fills the vendor's fields, typed with either yeh; a shop being typed clears them.
    void vendorPick()
    {
        env->exec(u"insert into foroshandegan (foroshgah, nam, hesab_no, bank, nation) values (?, ?, ?, ?, ?)"_s,
                  {u"فروشگاه ايران"_s, u"حسن"_s, u"123-4"_s, u"ملت"_s, u"001"_s});
        const auto vendor = [] {
            return QStringList{entryUi().nam->text(), entryUi().hesab_no->text(), entryUi().bank->currentText(),
                               entryUi().nation->text()};
        };
        entryUi().foroshande->setEditText(u"فروشگاه ايران"_s);
        QCOMPARE(vendor(), QStringList({u"حسن"_s, u"123-4"_s, u"ملت"_s, u"001"_s}));
        entryUi().foroshande->setEditText(u"فروشگاه ايرا"_s);
        QCOMPARE(vendor(), QStringList(4));
        entryUi().foroshande->setEditText(u"فروشگاه ایران"_s);
        QCOMPARE(entryUi().nam->text(), u"حسن"_s);
    }
    // The lists: the user's only unit chosen for a new purchase only, the shops in order, and the caption
    // clicks refilling a list with the values already used, in Persian order, the typed text staying.
    void listsOnShowAndCaptionClicks()
    {
        env->exec(u"insert into foroshandegan (foroshgah) values ('shop b'), ('shop a'), ('shop b')"_s);
        addSetting(*env, u"واحد"_s, u"متر"_s);
        addSetting(*env, u"واحد"_s, u"تن"_s, 2);
        forms::tavrelkol_src->N1Click();
        QCOMPARE(comboItems(entryUi().foroshande), QStringList({u"shop a"_s, u"shop b"_s}));
        QCOMPARE(comboItems(entryUi().vahed), QStringList{u"متر"_s});
        QCOMPARE(entryUi().vahed->currentText() + u'|' + entryUi().foroshande->currentText(), u"متر|"_s);
        entry().hide();

        editPurchase(addPurchase(*env, {{u"vahed"_s, u"کارتن"_s}}));
        QCOMPARE(entryUi().vahed->currentText(), u"کارتن"_s);
        entry().hide();
        editPurchase(addPurchase(*env, {{u"mozo"_s, u"no unit"_s}, {u"nam"_s, u"n"_s}}));
        QCOMPARE(entryUi().vahed->currentText(), QString()); // the only unit is not put over an edited row's

        addPurchase(*env, {{u"prj_name"_s, u"p2"_s}, {u"foroshande"_s, u"old shop"_s}});
        addPurchase(*env, {{u"prj_name"_s, u"p1"_s}});
        entryUi().prj_name->setEditText(u"typed"_s);
        entry().Label1Click();
        QCOMPARE(comboItems(entryUi().prj_name), QStringList({QString(), u"p1"_s, u"p2"_s}));
        QCOMPARE(entryUi().prj_name->currentText(), u"typed"_s);
        for (const QString &mozo : {u"تهران"_s, u"پارس"_s, u"بابل"_s})
            addPurchase(*env, {{u"mozo"_s, mozo}});
        entry().Label2Click();
        QStringList persian = comboItems(entryUi().mozo);
        persian.removeIf([](const QString &item) { return item.isEmpty() || item.at(0).unicode() < 0x600; });
        QCOMPARE(persian, QStringList({u"بابل"_s, u"پارس"_s, u"تهران"_s})); // "پ" after "ب", not by its code
        entry().Label9Click();
        QVERIFY(comboItems(entryUi().foroshande).contains(u"old shop"_s));
        QCOMPARE(entryUi().nam->text(), u"n"_s); // refilling the list picks no vendor
    }
    // Enter moves along the chain of fields; at its end, and in a field outside it, Enter saves nothing.
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
        for (qsizetype i = 1; i <= chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Return : Qt::Key_Enter);
            QVERIFY2(chain.at(qMin(i, chain.size() - 1))->hasFocus(), qPrintable(QString::number(i)));
        }
        entryUi().mozo_cmt->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(entryUi().mozo_cmt->hasFocus());
        QCOMPARE(purchases(*env), 0);
        QVERIFY(env->dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestTavrelkolIns)
#include "tst_tavrelkol_ins.moc"
