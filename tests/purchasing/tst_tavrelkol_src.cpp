// The purchases register: filters with count and total, delete, export, colour, balloon, opener; the accounting
// cover letter printed for the current row.
#include "db/querymodel.h"
#include "purchasing/hesabdari_frm_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "support/xlsx_reader.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

Ttavrelkol_src &page() { return *forms::tavrelkol_src; }
Ui::Ttavrelkol_src &pageUi() { return *forms::tavrelkol_src->ui; }
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

} // namespace

class TestTavrelkolSrc : public PageTest {
    Q_OBJECT

private slots:
    // The user list on showing; only "پرداخت شد" exactly green; the balloon names the row's user, the users' list
    // untouched. Each filter alone: "the seeded rows listed|the count|the total of their amounts".
    void userListColourBalloonAndEachFilterAlone()
    {
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
    }
    // Count and total exact beyond a floating-point sum, a row without an amount counted, no total for an empty list.
    void countAndTotalFollowTheListedRows()
    {
        page().src_btnClick();
        QCOMPARE(pageUi().cnt->text() + pageUi().mablagh_kol_sum->text(), u"0"_s);
        for (int i = 0; i < 10; ++i)
            addPurchase(*env, {{u"mablagh_kol"_s, Q_INT64_C(922'337'203'685'477)}, {u"mozo"_s, u"big"_s}});
        addPurchase(*env, {{u"mablagh_kol"_s, 1}, {u"mozo"_s, u"big"_s}});
        addPurchase(*env, {{u"mozo"_s, u"big"_s}});
        addPurchase(*env, {{u"mablagh_kol"_s, 5}, {u"mozo"_s, u"other"_s}});
        QCOMPARE(filterAlone(&page(), listQuery(), {}, u"CheckBox2"_s, {u"mozo"_s}, {u"big"_s},
                             {u"cnt"_s, u"mablagh_kol_sum"_s}).section(u'|', 1),
                 u"12|9,223,372,036,854,771"_s);
    }
    // The commands on a row off while the list is empty; the delete question (the kit's, proved here): only Yes
    // deletes; the purchase's attachments stay.
    void rowCommandsAndTheDeleteQuestion()
    {
        page().src_btnClick();
        QCOMPARE(menuStates(pageUi().MainMenu1), (QList<bool>{true, false, false, false, true, false, true}));
        const qint64 kept = addPurchase(*env, {{u"mozo"_s, u"kept"_s}});
        const qint64 gone = addPurchase(*env, {{u"mozo"_s, u"gone"_s}});
        addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, gone}, {u"cmt"_s, u"invoice scan"_s}});
        page().src_btnClick();
        QVERIFY(listQuery().locate(u"id"_s, gone));
        env->dialogs.answers << ui::Answer::No << ui::Answer::Cancel << ui::Answer::Yes;
        for (int times = 0; times < 3; ++times)
            pageUi().N3->trigger();
        const QString question = u"آيا از حذف مطمئن هستيد؟"_s;
        QCOMPARE(env->dialogs.messages(), (QStringList{question, question, question, u"حذف شد"_s}));
        QCOMPARE(env->dialogs.shown.at(1).buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(rowTexts(u"select id from tavrelkol"_s), QStringList{QString::number(kept)});
        QCOMPARE(rowTexts(u"select tavrelkol_id from tavrelkol_pic"_s), QStringList{QString::number(gone)});
    }
    // The export: the captions in the list's order, values as stored, texts trimmed, a row with an attachment once.
    void exportCarriesTheCaptions()
    {
        const qint64 id =
            addPurchase(*env, {{u"prj_name"_s, u" پروژه الف "_s}, {u"mablagh_kol"_s, Q_INT64_C(1'000'000'000'000)}});
        addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, id}, {u"cmt"_s, u"scan"_s}});
        page().src_btnClick();
        page().N4Click();
        const XlsxSheet sheet(env->openedFiles.value(0));
        QStringList cells;
        for (const QString &row : {u"1"_s, u"2"_s})
            for (const QChar column : u"AFNTZ"_s)
                cells << sheet.cell(column + row).text;
        QCOMPARE(cells, (QStringList{u"نام پروژه"_s, u"مبلغ کل"_s, QString(), u"شناسه"_s, QString(), u"پروژه الف"_s,
                                     u"1000000000000"_s, u"1"_s, QString::number(id), QString()}));
        QCOMPARE(sheet.lastRow, 2);
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
            QVERIFY(pageUi().CheckBox2->isChecked());
            QCOMPARE(pageUi().mozo->currentText() + pageUi().cmt->text() + pageUi().user->text(), u"-1"_s);
            QCOMPARE(pageUi().pardakht_dat1->storedText() + pageUi().pardakht_dat2->storedText(),
                     shamsiToday() + shamsiToday());
            QCOMPARE(comboItems(pageUi().mozo) + comboItems(forms::tavrelkol_ins->ui->mozo), subjects);
            addPurchase(*env, {{u"mozo"_s, u"c"_s}}); // not listed by the next opening
        }
        QCOMPARE(pageUi().cnt->text() + u'|' + pageUi().mablagh_kol_sum->text(), u"1|1,500"_s);
    }

    // The cover letter: the boxes' defaults, the site and vendor on each other's lines, amounts grouped; answers
    // typed; nothing without a current row.
    void coverLetter()
    {
        addPurchase(*env, {{u"dabir_no"_s, 15}, {u"mozo"_s, u"رايانه"_s}, {u"foroshande"_s, u"فروشگاه نور"_s},
                           {u"mablagh_kol"_s, 1250000}, {u"mablagh"_s, 750}, {u"kargah"_s, u"کارگاه شمال"_s},
                           {u"nam"_s, u"رضا کريمي"_s}, {u"cnt"_s, u"2"_s}, {u"darkhast_no"_s, u"77"_s}});
        page().src_btnClick();
        pageUi().N7->trigger(); // "فرم ها"
        QStringList boxes;
        for (const auto &shown : env->dialogs.shown)
            boxes << shown.kind + u'|' + shown.caption + u'|' + shown.text + u'|' + shown.detail;
        QCOMPARE(boxes.mid(0, 2), (QStringList{u"input|Date|تاريخ نامه|"_s + shamsiToday(),
                                               u"input|Message|متن پايين صفحه|بپيوست صورتجلسه"_s}));
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
};

QTEST_MAIN(TestTavrelkolSrc)
#include "tst_tavrelkol_src.moc"
