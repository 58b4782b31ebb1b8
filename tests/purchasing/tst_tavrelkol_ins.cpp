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
const QString saved = u"ثبت شد"_s;

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

    // The stored row (Persian yeh as the Arabic one, Persian digits, an empty receipt empty), a unit price
    // typed with separators asked for once more, the audit row, the grid showing the row at once and the form
    // open for another.
    void insertWritesTheRowAndItsAuditRow()
    {
        env->signInAs(7, u"reza"_s);
        newPurchase({{u"prj_name"_s, u"ساختمان مرکزی"_s}, {u"mozo"_s, u"لوازم"_s}, {u"cnt"_s, u"۱۲"_s},
                     {u"mablagh"_s, u"1,250,000"_s}, {u"mablagh_kol"_s, u"1000000000000"_s},
                     {u"tavrel_dat"_s, u"1403/02/03"_s}, {u"mozo_cmt"_s, u"خرید کاغذ"_s}, {u"faktor_no"_s, u"F1"_s},
                     {u"cmt"_s, u"it's fine"_s}});
        env->dialogs.reset();
        env->dialogs.inputs.enqueue(u"۱۲۵۰۰۰۰"_s);
        entryUi().ins_btn->click();
        const auto &box = env->dialogs.shown.first();
        QCOMPARE(box.kind + u'|' + box.caption + u'|' + box.text + u'|' + box.detail,
                 u"input|Mablagh|مبلغ بزرگ است، لطفا بدون ويرگول وارد نماييد|1,250,000"_s);
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(rowTexts(u"select prj_name,cnt,mablagh,mablagh_kol,tavrel_dat,sal,dabir_no,user_id,pardakhti,cmt,"
                          "resid from tavrelkol"_s),
                 QStringList{u"ساختمان مرکزي|12|1250000|1000000000000|1403/02/03|"_s + QString::number(year)
                             + u"|1|7|پرداخت نشد|it's fine|"_s});
        QCOMPARE(rowTexts(u"select karbar,cmt from log"_s), QStringList{u"reza| ثبت خريد جديد  خريد کاغذ reza"_s});
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 1);
        QVERIFY(!entryUi().ins_btn->isHidden());
    }
    // The repeat checks in one table: the three number warnings of the year, all asked whatever the answers
    // (Yes/No/Cancel warning boxes: the kit's warning box, proved here for every page) and only three Yes
    // going on; empty numbers and another year's repeating nothing; the duplicate refused in any year, after
    // the warnings too, while one field apart is no duplicate. A refused save leaves the form as typed.
    void repeatChecks_data()
    {
        QTest::addColumn<QVariantMap>("stored"); // its "sal": years before this one
        QTest::addColumn<QVariantMap>("typed");  // ditto
        QTest::addColumn<QList<ui::Answer>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("outcome"); // the last message; empty: none, nothing saved
        using A = ui::Answer;
        const QVariantMap numbers{{u"sal"_s, 0}, {u"dabir_no"_s, 4}, {u"faktor_no"_s, u"F-1"_s}, {u"resid"_s, u"R-1"_s}};
        QVariantMap repeated = numbers;
        repeated.insert(u"prj_name"_s, u"p"_s);
        QTest::newRow("no to the first") << numbers << repeated << QList<A>{A::No, A::Yes, A::Yes} << warnings << QString();
        QTest::newRow("cancel to the last") << numbers << repeated << QList<A>{A::Yes, A::Yes, A::Cancel} << warnings
                                            << QString();
        QTest::newRow("three yes") << numbers << repeated << QList<A>{A::Yes, A::Yes, A::Yes} << warnings << saved;
        QTest::newRow("empty numbers")
            << QVariantMap{{u"sal"_s, 0}, {u"dabir_no"_s, 1}, {u"faktor_no"_s, u""_s}, {u"resid"_s, u""_s}}
            << QVariantMap{{u"faktor_no"_s, u""_s}, {u"resid"_s, u"  "_s}} << QList<A>{} << QStringList() << saved;
        QTest::newRow("another year's numbers")
            << QVariantMap{{u"sal"_s, 1}, {u"dabir_no"_s, 1}, {u"faktor_no"_s, u"F-9"_s}, {u"resid"_s, u"R-9"_s}}
            << QVariantMap{{u"faktor_no"_s, u"F-9"_s}, {u"resid"_s, u"R-9"_s}} << QList<A>{} << QStringList() << saved;
        const QVariantMap purchase{{u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s}, {u"tavrel_dat"_s, u"1400/01/01"_s},
                                   {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s}};
        QVariantMap old = purchase, apart = purchase, warned = purchase;
        old.insert(u"sal"_s, 3);
        old.insert(u"dabir_no"_s, 1);
        apart.insert(u"resid"_s, u"R2"_s);
        warned.insert(u"sal"_s, 3);
        warned.insert(u"dabir_no"_s, u"1"_s);
        QTest::newRow("duplicate of another year") << old << purchase << QList<A>{} << QStringList() << duplicateRefusal;
        QTest::newRow("one field apart") << old << apart << QList<A>{} << QStringList() << saved;
        QTest::newRow("duplicate after the warnings") << old << warned << QList<A>{A::Yes, A::Yes, A::Yes} << warnings
                                                      << duplicateRefusal;
    }
    void repeatChecks()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, typed);
        QFETCH(QList<ui::Answer>, answers);
        QFETCH(QStringList, asked);
        QFETCH(QString, outcome);
        stored.insert(u"sal"_s, year - stored.value(u"sal"_s).toInt());
        addPurchase(*env, stored);
        QHash<QString, QString> texts;
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            texts.insert(it.key(), it.key() == u"sal"_s ? QString::number(year - it->toInt()) : it->toString());
        newPurchase(texts);
        env->dialogs.answers.append(answers);
        entryUi().ins_btn->click();
        QCOMPARE(askedTexts(env->dialogs), asked);
        for (const auto &shown : env->dialogs.shown)
            if (shown.kind == u"ask"_s)
                QVERIFY(shown.buttons == ui::Buttons::YesNoCancel && shown.icon == ui::Icon::Warning);
        QCOMPARE(env->dialogs.messages(), asked + (outcome.isEmpty() ? QStringList() : QStringList{outcome}));
        const bool wasSaved = outcome == saved;
        QCOMPARE(purchases(*env), wasSaved ? 2 : 1);
        QCOMPARE(auditRows(*env), wasSaved ? 1 : 0);
        if (!wasSaved)
            QCOMPARE(entryUi().prj_name->currentText() + entryUi().resid->text(), texts[u"prj_name"_s] + texts[u"resid"_s]);
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
    // Edit: no warning on a repeated number, the user kept, no audit row, an emptied secretariat number and
    // unit price stored null, a bad amount refused without an input box, the other row untouched.
    void editKeepsTheUserAndWritesNoAuditRow()
    {
        addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 9}, {u"user_id"_s, 5}, {u"mablagh"_s, 300}});
        const qint64 edited = addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 10}, {u"user_id"_s, 5}});
        editPurchase(edited);
        setFieldTexts(&entry(), {{u"dabir_no"_s, u"9"_s}, {u"mablagh"_s, u"۴۵۰"_s}});
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ويرايش شد"_s});
        QCOMPARE(rowTexts(u"select dabir_no,mablagh from tavrelkol where id=?"_s, {edited}), QStringList{u"9|450"_s});
        setFieldTexts(&entry(), {{u"dabir_no"_s, u""_s}, {u"mablagh"_s, u""_s}});
        entryUi().edit_btn->click();
        entryUi().mablagh->setText(u"1,000"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.shown.last().kind, u"message"_s);
        QVERIFY(env->dialogs.lastMessage().contains(u"مبلغ واحد"_s));
        QCOMPARE(rowTexts(u"select dabir_no,mablagh,user_id from tavrelkol order by id"_s),
                 (QStringList{u"9|300|5"_s, u"null|null|5"_s}));
        QCOMPARE(auditRows(*env), 0);
        QCOMPARE(askedTexts(env->dialogs), QStringList());
    }
    // Two users at once: a proposed number taken meanwhile, a row and its audit row kept together or not at
    // all, and an edit of a field the other changed meanwhile. (Which fields an edit writes: the data layer's
    // shared-file test.)
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

        // An amount another user changed since the form read it: refused, the row shown as it now stands.
        const qint64 id = env->scalar(u"select id from tavrelkol where mozo='mine'"_s).toLongLong();
        editPurchase(id);
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
    // The lists: the shops in order, the user's own only unit chosen for a new purchase, and a caption click
    // refilling its list with the values used, in Persian order, the typed text staying and no vendor picked.
    void listsOnShowAndCaptionClicks()
    {
        env->exec(u"insert into foroshandegan (foroshgah) values ('shop b'), ('shop a'), ('shop b')"_s);
        addSetting(*env, u"واحد"_s, u"متر"_s);
        addSetting(*env, u"واحد"_s, u"تن"_s, 2);
        forms::tavrelkol_src->N1Click();
        QCOMPARE(comboItems(entryUi().foroshande), QStringList({u"shop a"_s, u"shop b"_s}));
        QCOMPARE(comboItems(entryUi().vahed), QStringList{u"متر"_s});
        QCOMPARE(entryUi().vahed->currentText() + u'|' + entryUi().foroshande->currentText(), u"متر|"_s);

        for (const QString &project : {u"تهران"_s, u"پارس"_s, u"بابل"_s, u"پارس"_s})
            addPurchase(*env, {{u"prj_name"_s, project}});
        entryUi().nam->setText(u"n"_s);
        entryUi().prj_name->setEditText(u"typed"_s);
        entry().Label1Click();
        QCOMPARE(comboItems(entryUi().prj_name), QStringList({u"بابل"_s, u"پارس"_s, u"تهران"_s})); // "پ" after "ب"
        QCOMPARE(entryUi().prj_name->currentText(), u"typed"_s);
        addPurchase(*env, {{u"foroshande"_s, u"old shop"_s}});
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
