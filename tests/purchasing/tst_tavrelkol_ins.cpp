// The purchase entry form: repeat warnings, the duplicate, field checks, insert, edit, two users, lists, Enter.
#include "db/connection.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/page_test.h"
#include "ui_tavrelkol_ins_u.h"
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

Ttavrelkol_ins &entry() { return *forms::tavrelkol_ins; }
Ui::Ttavrelkol_ins &entryUi() { return *forms::tavrelkol_ins->ui; }

const QStringList warnings{u"هشدار! شماره دبيرخانه در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s,
                           u"هشدار! شماره فاکتور در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s,
                           u"هشدار! شماره رسيد در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s};
const QString duplicateRefusal = u"خطا! نام پروژه و موضوع و تاريخ خريد،شماره فاکتور و رسيد تکراريست"_s;
const QString saved = u"ثبت شد"_s;

qint64 addPurchase(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"tavrelkol"_s, columns); }

// The purchases and the audit rows stored: "purchases|audit rows".
QString counts()
{
    return rowTexts(u"select (select count(*) from tavrelkol), (select count(*) from log)"_s).value(0);
}

// The new command of the list, then the given fields typed over its defaults.
void newPurchase(const QHash<QString, QString> &typed)
{
    forms::tavrelkol_src->N1Click();
    setFieldTexts(&entry(), typed);
}

// The given fields typed and the insert button pressed.
void insert(const QHash<QString, QString> &typed)
{
    setFieldTexts(&entry(), typed);
    entryUi().ins_btn->click();
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

    // The year's number warnings (the kit's Yes/No/Cancel box, proved here) all asked, only three Yes saving; empty and
    // other years' numbers repeat nothing; the duplicate refused in any year; the next secretariat number proposed.
    void repeatChecks()
    {
        using A = ui::Answer;
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 4}, {u"faktor_no"_s, u"F-1"_s}, {u"resid"_s, u"R-1"_s}});
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 2}, {u"faktor_no"_s, u""_s}, {u"resid"_s, u""_s}});
        addPurchase(*env, {{u"sal"_s, year - 3}, {u"dabir_no"_s, 50}, {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s},
                           {u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s}, {u"tavrel_dat"_s, u"1400/01/01"_s}});
        newPurchase({});
        QCOMPARE(entryUi().dabir_no->text(), u"5"_s); // another year's numbers play no part
        setFieldTexts(&entry(), {{u"dabir_no"_s, u"4"_s}, {u"faktor_no"_s, u"F-1"_s}, {u"resid"_s, u"R-1"_s}});
        env->dialogs.answers << A::No << A::Yes << A::Yes; // all three asked after a No
        env->dialogs.answers << A::Yes << A::Yes << A::Cancel << A::Yes << A::Yes << A::Yes;
        for (int times = 0; times < 3; ++times)
            entryUi().ins_btn->click();
        for (const auto &shown : env->dialogs.shown)
            QVERIFY(shown.kind != u"ask"_s
                    || (shown.buttons == ui::Buttons::YesNoCancel && shown.icon == ui::Icon::Warning));
        insert({{u"dabir_no"_s, u"50"_s}, {u"faktor_no"_s, u""_s}, {u"resid"_s, u"  "_s}});
        insert({{u"prj_name"_s, u"p"_s}, {u"mozo"_s, u"m"_s}, {u"tavrel_dat"_s, u"1400/01/01"_s},
                {u"dabir_no"_s, u"7"_s}, {u"faktor_no"_s, u"F"_s}, {u"resid"_s, u"R"_s}});
        insert({{u"resid"_s, u"R2"_s}});
        env->dialogs.answers << A::Yes << A::Yes << A::Yes;
        insert({{u"sal"_s, QString::number(year - 3)}, {u"dabir_no"_s, u"50"_s}, {u"resid"_s, u"R"_s}});
        QCOMPARE(env->dialogs.messages(), warnings + warnings + warnings + (QStringList{saved, saved, duplicateRefusal})
                                              + (QStringList{saved}) + warnings + (QStringList{duplicateRefusal}));
        QCOMPARE(counts(), u"6|3"_s);
        forms::tavrelkol_src->N1Click();
        QCOMPARE(entryUi().dabir_no->text(), u"51"_s); // after the largest of the year, typed by hand
    }
    // One message naming the field, nothing asked or written; the dates are the kit's date check for every form.
    void numbersAreCheckedBeforeAnythingIsWritten()
    {
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 1}, {u"faktor_no"_s, u"F"_s}});
        const QString secretariat = u"شماره دبيرخانه"_s, total = u"مبلغ کل"_s, purchased = u"تاريخ خريد"_s;
        for (const auto &[field, typed, caption] :
             {std::tuple{u"sal"_s, QString(), u"سال"_s}, {u"dabir_no"_s, QString(), secretariat}, // untouched, empty
              {u"dabir_no"_s, u"3000000000"_s, secretariat}, {u"mablagh_kol"_s, u"1000.5"_s, total},
              {u"mablagh_kol"_s, u"-5000"_s, total}, {u"mablagh_kol"_s, u"922337203685478"_s, total},
              {u"tavrel_dat"_s, u"1403/13/40"_s, purchased}, {u"pardakht_dat"_s, u"1403/05/  "_s, u"تاريخ رسيد"_s},
              {u"tavrel_dat"_s, u"1402/12/30"_s, purchased}}) { // Esfand's 30th of a common year
            newPurchase({{u"faktor_no"_s, u"F"_s}, {field, typed}});
            env->dialogs.reset();
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.shown.size(), 1);
            QVERIFY2(env->dialogs.lastMessage().contains(caption), qPrintable(field + u' ' + typed));
        }
        QCOMPARE(counts(), u"1|0"_s);
    }
    // Edit: no warning, the user kept, no audit row, emptied numbers null, a bad amount refused, the other row kept.
    void editKeepsTheUserAndWritesNoAuditRow()
    {
        addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 9}, {u"user_id"_s, 5}, {u"mablagh"_s, 300}});
        const qint64 edited = addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 10}, {u"user_id"_s, 5}});
        onRow(forms::tavrelkol_src, u"src_btn"_s, *forms::dm->ADOQ_tavrel, edited, u"N2"_s);
        setFieldTexts(&entry(), {{u"dabir_no"_s, u"9"_s}, {u"mablagh"_s, u"۴۵۰"_s}});
        entryUi().edit_btn->click();
        QCOMPARE(rowTexts(u"select dabir_no,mablagh from tavrelkol where id=?"_s, {edited}), QStringList{u"9|450"_s});
        setFieldTexts(&entry(), {{u"dabir_no"_s, u""_s}, {u"mablagh"_s, u""_s}});
        entryUi().edit_btn->click();
        entryUi().mablagh->setText(u"abc-1,000"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages().mid(0, 2), (QStringList{u"ويرايش شد"_s, u"ويرايش شد"_s}));
        QCOMPARE(env->dialogs.shown.last().kind, u"message"_s);
        QVERIFY(env->dialogs.lastMessage().contains(u"مبلغ واحد"_s));
        QCOMPARE(rowTexts(u"select dabir_no,mablagh,user_id from tavrelkol order by id"_s),
                 (QStringList{u"9|300|5"_s, u"null|null|5"_s}));
        QCOMPARE(counts(), u"2|0"_s);
    }
    // The stored row (the amounts typed in money edits, separators and all), its proposed number taken meanwhile by
    // another user (no warning: the next is taken), the audit row, the grid showing it, the form kept open. A row and
    // its audit row kept together or not; a row changed meanwhile refused.
    void insertWritesTheRowAndItsAuditRowWhateverAnotherUserDoes()
    {
        env->signInAs(7, u"reza"_s);
        newPurchase({{u"prj_name"_s, u"ساختمان مرکزی"_s}, {u"mozo"_s, u"mine"_s}, {u"cnt"_s, u"۱۲"_s},
                     {u"mablagh"_s, u"۱٬۲۵۰٬۰۰۰"_s}, {u"mablagh_kol"_s, u"922337203685477"_s},
                     {u"tavrel_dat"_s, u"1403/02/03"_s}, {u"mozo_cmt"_s, u"خرید کاغذ"_s}, {u"faktor_no"_s, u"F1"_s},
                     {u"cmt"_s, u"it's fine"_s}});
        QCOMPARE(entryUi().dabir_no->text(), u"1"_s);
        const auto other = otherWorkstation(*env);
        other->exec(u"insert into tavrelkol (sal, dabir_no, mozo) values (?, 1, 'theirs')"_s, {year});
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{saved});
        QCOMPARE(rowTexts(u"select prj_name,cnt,mablagh,mablagh_kol,tavrel_dat,sal,dabir_no,user_id,pardakhti,cmt,"
                          "resid from tavrelkol where mozo='mine'"_s),
                 QStringList{u"ساختمان مرکزي|12|1250000|922337203685477|1403/02/03|"_s + QString::number(year)
                             + u"|2|7|پرداخت نشد|it's fine|"_s});
        QCOMPARE(rowTexts(u"select karbar,cmt from log"_s), QStringList{u"reza| ثبت خريد جديد  خريد کاغذ reza"_s});
        QVERIFY(entryUi().dabir_no->text() == u"2"_s && entry().isVisible());
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 2); // the list shows what the database holds

        other->exec(u"create trigger refuse_audit before insert on log begin select raise(abort, 'disk full'); end"_s);
        insert({{u"mozo"_s, u"lost"_s}, {u"dabir_no"_s, u"7"_s}, {u"faktor_no"_s, u"F2"_s}});
        QCOMPARE(env->dialogs.errors().size(), 1);
        QCOMPARE(env->dialogs.messages(), QStringList{saved}); // no "ثبت شد" for a row that was not kept
        QCOMPARE(counts(), u"2|1"_s);
        QCOMPARE(forms::dm->ADOQ_tavrel->recordCount(), 2); // as after a failure
        other->exec(u"drop trigger refuse_audit"_s);

        const qint64 id = env->scalar(u"select id from tavrelkol where mozo='mine'"_s).toLongLong();
        onRow(forms::tavrelkol_src, u"src_btn"_s, *forms::dm->ADOQ_tavrel, id, u"N2"_s);
        other->exec(u"update tavrelkol set mablagh_kol=3000 where id=?"_s, {id});
        entryUi().mablagh_kol->setText(u"100"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), (QStringList{saved, db::message::rowChanged}));
        QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where id=?"_s, {id}).toInt(), 3000);
        QCOMPARE(forms::dm->ADOQ_tavrel->fieldByName(u"mablagh_kol"_s).asInteger(), 3000);
    }
    // The shops in order, the only unit chosen; a registered shop fills the vendor's fields, typed with either yeh,
    // a shop being typed clears them; a caption click refills its list in Persian order, picking no vendor.
    void listsVendorPickAndCaptionClicks()
    {
        env->exec(u"insert into foroshandegan (foroshgah, nam, hesab_no, bank, nation) values (?, ?, ?, ?, ?)"_s,
                  {u"فروشگاه ايران"_s, u"حسن"_s, u"123-4"_s, u"ملت"_s, u"001"_s});
        env->exec(u"insert into foroshandegan (foroshgah) values ('shop b'), ('shop a'), ('shop b')"_s);
        addSetting(*env, u"واحد"_s, u"متر"_s);
        addSetting(*env, u"واحد"_s, u"تن"_s, 2);
        forms::tavrelkol_src->N1Click();
        QCOMPARE(comboItems(entryUi().foroshande) + comboItems(entryUi().vahed),
                 QStringList({u"فروشگاه ايران"_s, u"shop a"_s, u"shop b"_s, u"متر"_s}));
        QCOMPARE(entryUi().vahed->currentText() + u'|' + entryUi().foroshande->currentText(), u"متر|"_s);
        const auto vendor = [] {
            return QStringList{entryUi().nam->text(), entryUi().hesab_no->text(), entryUi().bank->currentText(),
                               entryUi().nation->text()};
        };
        QStringList shown;
        for (const QString &shop : {u"فروشگاه ايران"_s, u"فروشگاه ايرا"_s, u"فروشگاه ایران"_s}) {
            entryUi().foroshande->setEditText(shop);
            shown << vendor().join(u',');
        }
        QCOMPARE(shown, (QStringList{u"حسن,123-4,ملت,001"_s, u",,,"_s, u"حسن,123-4,ملت,001"_s}));

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
        QCOMPARE(entryUi().nam->text(), u"n"_s);
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
        QCOMPARE(counts(), u"0|0"_s);
        QVERIFY(env->dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestTavrelkolIns)
#include "tst_tavrelkol_ins.moc"
