// The purchases register and its entry form: filters with count and total, delete, export, colour, balloon,
// opener; repeat warnings, the duplicate, field checks, insert, edit, two users, lists, Enter; the accounting cover
// letter printed for the current row.
#include "db/connection.h"
#include "db/querymodel.h"
#include "purchasing/hesabdari_frm_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "support/xlsx_reader.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QApplication>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

Ttavrelkol_src &page() { return *forms::tavrelkol_src; }
Ui::Ttavrelkol_src &pageUi() { return *forms::tavrelkol_src->ui; }
Ttavrelkol_ins &entry() { return *forms::tavrelkol_ins; }
Ui::Ttavrelkol_ins &entryUi() { return *forms::tavrelkol_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_tavrel; }

qint64 addPurchase(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"tavrelkol"_s, columns); }

// Four purchases that the filters tell apart, and one without a user.
QList<qint64> seedFilterRows(TestEnv &env)
{
    env.exec(u"insert into users (us) values ('ali')"_s); // id 2
    return {
        addPurchase(env, {{u"prj_name"_s, u"پروژه الف"_s}, {u"mozo"_s, u"کاغذ"_s}, {u"foroshande"_s, u"فروشگاه يک"_s},
                          {u"kargah"_s, u"کارگاه شمال"_s}, {u"sal"_s, 1402}, {u"cmt"_s, u"فوري"_s},
                          {u"faktor_no"_s, u"F-100"_s}, {u"resid"_s, u"R-7"_s}, {u"dabir_no"_s, 5},
                          {u"pardakht_dat"_s, u"1402/05/10"_s}, {u"user_id"_s, 1}, {u"pardakhti"_s, u"پرداخت شد"_s},
                          {u"mablagh_kol"_s, 1000}}),
        addPurchase(env, {{u"prj_name"_s, u"پروژه ب"_s}, {u"mozo"_s, u"ميز"_s}, {u"foroshande"_s, u"فروشگاه دو"_s},
                          {u"sal"_s, 1403}, {u"faktor_no"_s, u"F-200"_s}, {u"resid"_s, u"R-8"_s},
                          {u"dabir_no"_s, 16}, {u"pardakht_dat"_s, u"1403/01/01"_s}, {u"user_id"_s, 2},
                          {u"pardakhti"_s, u"پرداخت نشد"_s}, {u"mablagh_kol"_s, 2500}}),
        addPurchase(env, {{u"mozo"_s, u"ميز تحرير"_s}, {u"foroshande"_s, u"فروشگاه دو"_s},
                          {u"kargah"_s, u"کارگاه جنوب"_s}, {u"sal"_s, 1399}, {u"cmt"_s, u"it's"_s},
                          {u"dabir_no"_s, 140}, {u"pardakht_dat"_s, u"1403/01/15"_s}, {u"user_id"_s, 2},
                          {u"pardakhti"_s, u"قسمتي پرداخت شد"_s}}),
        addPurchase(env, {{u"prj_name"_s, u"پروژه ب"_s}, {u"mozo"_s, u"صندلي"_s}, {u"sal"_s, 1404},
                          {u"faktor_no"_s, u"F100"_s}, {u"pardakht_dat"_s, u"1403/01/16"_s}, {u"mablagh_kol"_s, 7}}),
        addPurchase(env, {{u"mozo"_s, u"no user"_s}}),
    };
}

const QStringList warnings{u"هشدار! شماره دبيرخانه در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s,
                           u"هشدار! شماره فاکتور در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s,
                           u"هشدار! شماره رسيد در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s};
const QString duplicateRefusal = u"خطا! نام پروژه و موضوع و تاريخ خريد،شماره فاکتور و رسيد تکراريست"_s;
const QString saved = u"ثبت شد"_s;

// The purchases and the audit rows stored: "purchases|audit rows".
QString counts()
{
    return rowTexts(u"select (select count(*) from tavrelkol), (select count(*) from log)"_s).value(0);
}

// The new command of the list, then the given fields typed over its defaults.
void newPurchase(const QHash<QString, QString> &typed)
{
    page().N1Click();
    setFieldTexts(&entry(), typed);
}

// The given fields typed and the insert button pressed.
void insert(const QHash<QString, QString> &typed)
{
    setFieldTexts(&entry(), typed);
    entryUi().ins_btn->click();
}

} // namespace

class TestTavrelkol : public PageTest {
    Q_OBJECT
    int year = 0;

private slots:
    void init()
    {
        PageTest::init();
        year = fiscalYear().toInt();
    }

    // The user list on showing; only "پرداخت شد" exactly green; the balloon names the row's user, the users' list
    // untouched. Each filter alone: "the seeded rows listed|the count|the total of their amounts". Count and total
    // exact beyond a floating-point sum, a row without an amount counted, no total for an empty list.
    void userListColourBalloonFiltersCountAndTotal()
    {
        page().src_btnClick();
        waitForTotals(listQuery());
        QCOMPARE(pageUi().cnt->text() + pageUi().mablagh_kol_sum->text(), u"0"_s);
        const QList<qint64> seeded = seedFilterRows(*env);
        page().show();
        QCOMPARE(comboItems(pageUi().us), QStringList({u"admin"_s, u"ali"_s}));
        page().src_btnClick();
        const QList<qint64> listed = idsOf(listQuery());
        for (int row = 0; row < listed.size(); ++row)
            QCOMPARE(page().gridModel().data(page().gridModel().index(row, 1), Qt::BackgroundRole).value<QColor>(),
                     listed[row] == seeded.at(0) ? QColor(0, 255, 0) : QColor());
        db::Query &usersList = *forms::dm->adoq_user;
        usersList.clear();
        usersList.add(u"select * from users where id<>-1 "_s);
        usersList.open();
        for (const int row : {0, 4}) {
            QVERIFY(listQuery().locate(u"id"_s, seeded.at(row)));
            page().DBGrid1CellClick();
            QVERIFY(QToolTip::isVisible() && QToolTip::text().contains(u"User"_s));
            QCOMPARE(QToolTip::text().contains(u"admin"_s), row == 0);
        }
        QCOMPARE(usersList.text(), u"select * from users where id<>-1 "_s);

        const auto found = [&](int box, const QString &controls, const QStringList &texts) {
            return filterAlone(&page(), listQuery(), seeded, u"CheckBox"_s + QString::number(box), controls.split(u','),
                               texts, {u"cnt"_s, u"mablagh_kol_sum"_s});
        };
        QCOMPARE(found(1, u"prj_name"_s, {u"الف"_s}), u"0|1|1,000"_s);
        QCOMPARE(found(2, u"mozo"_s, {u"ميز"_s}), u"1,2|2|2,500"_s);
        QCOMPARE(found(3, u"foroshande"_s, {u"دو"_s}), u"1,2|2|2,500"_s);
        QCOMPARE(found(4, u"kargah"_s, {u"شمال"_s}), u"0|1|1,000"_s);
        QCOMPARE(found(5, u"sal"_s, {u"140"_s}), u"0,1,3|3|3,507"_s); // a like
        QCOMPARE(found(6, u"cmt"_s, {u"it"_s}), u"2|1|"_s);
        QCOMPARE(found(7, u"faktor_no"_s, {u"F-"_s}), u"0,1|2|3,500"_s);
        QCOMPARE(found(8, u"resid"_s, {u"8"_s}), u"1|1|2,500"_s);
        QCOMPARE(found(9, u"dabir_no"_s, {u"6"_s}), u"1|1|2,500"_s);
        QCOMPARE(found(10, u"pardakht_dat1,pardakht_dat2"_s, {u"1403/01/01"_s, u"1403/01/15"_s}), u"1,2|2|2,500"_s);
        QCOMPARE(found(11, u"us"_s, {u"admin"_s}), u"0|1|1,000"_s);
        QCOMPARE(found(12, u"pardakhti"_s, {u"پرداخت شد"_s}), u"0,2|2|1,000"_s);

        for (int i = 0; i < 10; ++i)
            addPurchase(*env, {{u"mablagh_kol"_s, Q_INT64_C(922'337'203'685'477)}, {u"mozo"_s, u"big"_s}});
        addPurchase(*env, {{u"mablagh_kol"_s, 1}, {u"mozo"_s, u"big"_s}});
        addPurchase(*env, {{u"mozo"_s, u"big"_s}});
        QCOMPARE(found(2, u"mozo"_s, {u"big"_s}).section(u'|', 1), u"12|9,223,372,036,854,771"_s);
    }
    // The export: the captions in the list's order, values as stored, texts trimmed, a row with attachments once
    // with their count, a row without any with an empty count. The delete question (the kit's, proved here): only
    // Yes deletes; the purchase's attachments stay.
    void exportAndTheDeleteQuestion()
    {
        const qint64 id =
            addPurchase(*env, {{u"prj_name"_s, u" پروژه الف "_s}, {u"mablagh_kol"_s, Q_INT64_C(1'000'000'000'000)}});
        const qint64 bare = addPurchase(*env, {{u"prj_name"_s, u"ب"_s}});
        for (const QString &scan : {u"scan"_s, u"scan 2"_s})
            addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, id}, {u"cmt"_s, scan}});
        page().src_btnClick();
        page().N4Click();
        const XlsxSheet sheet(env->openedFiles.value(0));
        QStringList cells;
        for (const QString &row : {u"1"_s, u"2"_s, u"3"_s})
            for (const QChar column : u"AFNTZ"_s)
                cells << sheet.cell(column + row).text;
        QCOMPARE(cells, (QStringList{u"نام پروژه"_s, u"مبلغ کل"_s, QString(), u"شناسه"_s, QString(),
                                     u"پروژه الف"_s, u"1000000000000"_s, u"2"_s, QString::number(id), QString(),
                                     u"ب"_s, QString(), QString(), QString::number(bare), QString()}));
        QCOMPARE(sheet.lastRow, 3);

        QVERIFY(listQuery().locate(u"id"_s, id));
        env->dialogs.reset();
        env->dialogs.answers << ui::Answer::No << ui::Answer::Cancel << ui::Answer::Yes;
        for (int times = 0; times < 3; ++times)
            pageUi().N3->trigger();
        const QString question = u"آيا از حذف مطمئن هستيد؟"_s;
        QCOMPARE(env->dialogs.messages(), (QStringList{question, question, question, u"حذف شد"_s}));
        QCOMPARE(env->dialogs.shown.at(1).buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(rowTexts(u"select id from tavrelkol"_s), QStringList{QString::number(bare)});
        QCOMPARE(rowTexts(u"select distinct tavrelkol_id from tavrelkol_pic"_s), QStringList{QString::number(id)});
    }
    // The opener: filter texts reset (a box on stays on), receipt dates today, the search, the subjects filled once.
    void mainWindowCommand()
    {
        env->setRights(1, u"tavrelkol"_s, {true, true, true, true});
        addPurchase(*env, {{u"mozo"_s, u"a"_s}, {u"mablagh_kol"_s, 1500}, {u"pardakht_dat"_s, shamsiToday()}});
        addPurchase(*env, {{u"mozo"_s, u"b"_s}, {u"mablagh_kol"_s, 2000}, {u"pardakht_dat"_s, u"1390/01/01"_s}});
        pageUi().CheckBox2->click();
        pageUi().CheckBox10->click();
        setFieldTexts(&page(), {{u"mozo"_s, u"old"_s}, {u"cmt"_s, u"old"_s}, {u"pardakht_dat1"_s, u"1390/01/01"_s},
                                {u"user"_s, u"9"_s}});
        const QStringList subjects{u"a"_s, u"b"_s, u"a"_s, u"b"_s};
        for (int run = 0; run < 2; ++run) {
            forms::main_->N1Click();
            waitForTotals(listQuery());
            QVERIFY(pageUi().CheckBox2->isChecked());
            QCOMPARE(pageUi().mozo->currentText() + pageUi().cmt->text() + pageUi().user->text(), u"-1"_s);
            QCOMPARE(pageUi().pardakht_dat1->storedText() + pageUi().pardakht_dat2->storedText(),
                     shamsiToday() + shamsiToday());
            QCOMPARE(comboItems(pageUi().mozo) + comboItems(entryUi().mozo), subjects);
            addPurchase(*env, {{u"mozo"_s, u"c"_s}}); // not listed by the next opening
        }
        QCOMPARE(pageUi().cnt->text() + u'|' + pageUi().mablagh_kol_sum->text(), u"1|1,500"_s);
    }

    // The cover letter: the boxes' defaults printed, the site and vendor on each other's lines, amounts grouped;
    // answers typed; nothing without a current row.
    void coverLetter()
    {
        addPurchase(*env, {{u"dabir_no"_s, 15}, {u"mozo"_s, u"رايانه"_s}, {u"foroshande"_s, u"فروشگاه نور"_s},
                           {u"mablagh_kol"_s, 1250000}, {u"mablagh"_s, 750}, {u"kargah"_s, u"کارگاه شمال"_s},
                           {u"nam"_s, u"رضا کريمي"_s}, {u"cnt"_s, u"2"_s}, {u"darkhast_no"_s, u"77"_s}});
        page().src_btnClick();
        pageUi().N7->trigger(); // "فرم ها"
        const QStringList pages = pdftext::pages(env->dialogs.lastPreview());
        QCOMPARE(pages.size(), 1);
        for (const QString &phrase : {QString(u"بسمه تعالي شماره 15 تاريخ "_s + shamsiToday()),
                                      u"رايانه فروشگاه نور 1,250,000 750 کارگاه شمال رضا کريمي 77"_s,
                                      u"بپيوست صورتجلسه مسئول خريد رئيس محترم امور مالي"_s})
            QVERIFY2(pdftext::hasTokens(pages[0], phrase), qPrintable(phrase));
        report::Report &letter = forms::hesabdari_frm->QuickRep1;
        QCOMPARE(letter.caption(u"nam"_s) + u'|' + letter.caption(u"foroshande2"_s),
                 u"کارگاه شمال|رضا کريمي"_s); // the site on the delivery line, the vendor's name on the payee line

        env->dialogs.inputs << u"1403/01/02"_s << std::nullopt;
        printCoverLetter();
        QCOMPARE(letter.caption(u"dat"_s) + u'|' + letter.caption(u"peyvast"_s), u"1403/01/02|بپيوست صورتجلسه"_s);

        env->dialogs.reset();
        env->exec(u"delete from tavrelkol"_s);
        listQuery().refresh();
        printCoverLetter();
        QVERIFY(env->dialogs.shown.isEmpty());
    }

    // The year's number warnings (the kit's Yes/No/Cancel box, proved here) all asked, only three Yes saving; empty and
    // other years' numbers repeat nothing; the duplicate refused in any year; the next secretariat number proposed.
    // A field refused: one message naming it, nothing asked or written; the dates are the kit's date check for every
    // form.
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
        page().N1Click();
        QCOMPARE(entryUi().dabir_no->text(), u"51"_s); // after the largest of the year, typed by hand

        const QString secretariat = u"شماره دبيرخانه"_s, total = u"مبلغ کل"_s, purchased = u"تاريخ خريد"_s;
        for (const auto &[field, typed, caption] :
             {std::tuple{u"sal"_s, QString(), u"سال"_s}, {u"dabir_no"_s, QString(), secretariat}, // untouched, empty
              {u"dabir_no"_s, u"3000000000"_s, secretariat}, {u"mablagh_kol"_s, u"1000.5"_s, total},
              {u"mablagh_kol"_s, u"-5000"_s, total}, {u"mablagh_kol"_s, u"922337203685478"_s, total},
              {u"tavrel_dat"_s, u"1403/13/40"_s, purchased}, {u"pardakht_dat"_s, u"1403/05/  "_s, u"تاريخ رسيد"_s},
              {u"tavrel_dat"_s, u"1402/12/30"_s, purchased}}) { // Esfand's 30th of a common year
            newPurchase({{u"faktor_no"_s, u"F-1"_s}, {field, typed}}); // a repeat, were it asked
            env->dialogs.reset();
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.shown.size(), 1);
            QVERIFY2(env->dialogs.lastMessage().contains(caption), qPrintable(field + u' ' + typed));
        }
        QCOMPARE(counts(), u"6|3"_s);
    }
    // Edit: no warning, the user kept, no audit row, emptied numbers null, a bad amount refused, the other row kept.
    void editKeepsTheUserAndWritesNoAuditRow()
    {
        addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 9}, {u"user_id"_s, 5}, {u"mablagh"_s, 300}});
        const qint64 edited = addPurchase(*env, {{u"sal"_s, 1402}, {u"dabir_no"_s, 10}, {u"user_id"_s, 5}});
        onRow(&page(), u"src_btn"_s, listQuery(), edited, u"N2"_s);
        setFieldTexts(&entry(), {{u"dabir_no"_s, u"9"_s}, {u"mablagh"_s, u"۴۵۰"_s}});
        entryUi().edit_btn->click();
        QCOMPARE(rowTexts(u"select dabir_no,mablagh from tavrelkol where id=?"_s, {edited}), QStringList{u"9|450"_s});
        setFieldTexts(&entry(), {{u"dabir_no"_s, u""_s}, {u"mablagh"_s, u""_s}});
        entryUi().edit_btn->click();
        entryUi().mablagh->setText(u"abc-1,000"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(),
                 (QStringList{u"ويرايش شد"_s, u"ويرايش شد"_s, u"مقدار «مبلغ واحد» درست نيست"_s}));
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
        QCOMPARE(listQuery().recordCount(), 2); // the list shows what the database holds

        other->exec(u"create trigger refuse_audit before insert on log begin select raise(abort, 'disk full'); end"_s);
        insert({{u"mozo"_s, u"lost"_s}, {u"dabir_no"_s, u"7"_s}, {u"faktor_no"_s, u"F2"_s}});
        QCOMPARE(env->dialogs.errors().size(), 1);
        QCOMPARE(env->dialogs.messages(), QStringList{saved}); // no "ثبت شد" for a row that was not kept
        QCOMPARE(counts(), u"2|1"_s);
        QCOMPARE(listQuery().recordCount(), 2); // as after a failure
        other->exec(u"drop trigger refuse_audit"_s);

        const qint64 id = env->scalar(u"select id from tavrelkol where mozo='mine'"_s).toLongLong();
        onRow(&page(), u"src_btn"_s, listQuery(), id, u"N2"_s);
        other->exec(u"update tavrelkol set mablagh_kol=3000 where id=?"_s, {id});
        entryUi().mablagh_kol->setText(u"100"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.messages(), (QStringList{saved, db::message::rowChanged}));
        QCOMPARE(env->scalar(u"select mablagh_kol from tavrelkol where id=?"_s, {id}).toInt(), 3000);
        QCOMPARE(listQuery().fieldByName(u"mablagh_kol"_s).asInteger(), 3000);
    }
    // The shops in order, the only unit chosen; a registered shop fills the vendor's fields, typed with either yeh,
    // a shop being typed clears them; a caption click refills its list in Persian order, picking no vendor. Enter
    // moves along the chain of fields; at its end, and in a field outside it, Enter saves nothing.
    void listsVendorPickCaptionClicksAndEnter()
    {
        env->exec(u"insert into foroshandegan (foroshgah, nam, hesab_no, bank, nation) values (?, ?, ?, ?, ?)"_s,
                  {u"فروشگاه ايران"_s, u"حسن"_s, u"123-4"_s, u"ملت"_s, u"001"_s});
        env->exec(u"insert into foroshandegan (foroshgah) values ('shop b'), ('shop a'), ('shop b')"_s);
        addSetting(*env, u"واحد"_s, u"متر"_s);
        addSetting(*env, u"واحد"_s, u"تن"_s, 2);
        page().N1Click();
        QCOMPARE(comboItems(entryUi().foroshande) + comboItems(entryUi().vahed),
                 QStringList({u"فروشگاه ايران"_s, u"shop a"_s, u"shop b"_s, u"متر"_s}));
        QCOMPARE(entryUi().vahed->currentText() + u'|' + entryUi().foroshande->currentText(), u"متر|"_s);
        QStringList shown;
        for (const QString &shop : {u"فروشگاه ايران"_s, u"فروشگاه ايرا"_s, u"فروشگاه ایران"_s}) {
            entryUi().foroshande->setEditText(shop);
            shown << fieldTexts(&entry(), {u"nam"_s, u"hesab_no"_s, u"bank"_s, u"nation"_s});
        }
        QCOMPARE(shown, (QStringList{u"حسن|123-4|ملت|001"_s, u"|||"_s, u"حسن|123-4|ملت|001"_s}));

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

        env->dialogs.reset();
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
        QVERIFY(env->dialogs.shown.isEmpty());
        QCOMPARE(counts(), u"5|0"_s);
    }
};

QTEST_MAIN(TestTavrelkol)
#include "tst_tavrelkol.moc"
