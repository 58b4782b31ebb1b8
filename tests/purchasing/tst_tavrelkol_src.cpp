// The purchases register: filters with count and total, row commands and delete, export, colour, balloon, opener.
#include "pagekit/commands.h"
#include "persian/Dates.h"
#include "db/querymodel.h"
#include "main_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/form_input.h"
#include "support/page_test.h"
#include "support/xlsx_reader.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QBrush>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

Ttavrelkol_src &page() { return *forms::tavrelkol_src; }
Ui::Ttavrelkol_src &pageUi() { return *forms::tavrelkol_src->ui; }
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

QColor background(int row)
{
    const QVariant value = page().gridModel().data(page().gridModel().index(row, 1), Qt::BackgroundRole);
    if (!value.isValid())
        return {};
    return value.typeId() == QMetaType::QColor ? value.value<QColor>() : value.value<QBrush>().color();
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
            QCOMPARE(background(row), listed[row] == seeded.at(0) ? QColor(0, 255, 0) : QColor());
        QVERIFY(listQuery().locate(u"id"_s, seeded.at(0)));
        db::Query &usersList = *forms::dm->adoq_user;
        usersList.clear();
        usersList.add(u"select * from users where id<>-1 "_s);
        usersList.open();
        page().DBGrid1CellClick();
        QCOMPARE(usersList.text(), u"select * from users where id<>-1 "_s);
        QVERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains(u"User"_s) && QToolTip::text().contains(u"admin"_s),
                 qPrintable(QToolTip::text()));
        QVERIFY(listQuery().locate(u"id"_s, seeded.at(4)));
        page().DBGrid1CellClick();
        QVERIFY(QToolTip::text().contains(u"User"_s) && !QToolTip::text().contains(u"admin"_s));

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
        searchWithFilter(&page(), listQuery(), u"CheckBox2"_s, {u"mozo"_s}, {u"big"_s});
        QCOMPARE(pageUi().cnt->text() + u'|' + pageUi().mablagh_kol_sum->text(), u"12|9,223,372,036,854,771"_s);
    }
    // Row commands wait for rows and rights; the delete question (the kit's, proved here): only Yes, attachments kept.
    void rowCommandsWaitForRowsAndDeleteAsks()
    {
        const QList<bool> noRows{true, false, false, false, true, false, true}; // N1 N2 N3 N6 N4 N7 N5
        pageUi().N2->trigger();                                                 // never searched
        page().src_btnClick();
        pageUi().N2->trigger();
        pageUi().N3->trigger();
        page().DBGrid1CellClick();
        QVERIFY(env->dialogs.shown.isEmpty());
        QCOMPARE(menuStates(pageUi().MainMenu1), noRows);

        const qint64 kept = addPurchase(*env, {{u"mozo"_s, u"kept"_s}});
        const qint64 gone = addPurchase(*env, {{u"mozo"_s, u"gone"_s}});
        addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, gone}, {u"cmt"_s, u"invoice scan"_s}});
        page().commands()->apply({true, true, false, true}); // no delete right
        page().src_btnClick();
        QCOMPARE(menuStates(pageUi().MainMenu1), (QList<bool>{true, true, false, true, true, true, true}));
        page().commands()->apply({true, true, true, true});
        QVERIFY(listQuery().locate(u"id"_s, gone));
        env->dialogs.answers << ui::Answer::No << ui::Answer::Cancel << ui::Answer::Yes;
        pageUi().N3->trigger();
        pageUi().N3->trigger();
        QCOMPARE(env->dialogs.shown.last().buttons, ui::Buttons::YesNoCancel);
        pageUi().N3->trigger();
        const QString question = u"آيا از حذف مطمئن هستيد؟"_s;
        QCOMPARE(env->dialogs.messages(), (QStringList{question, question, question, u"حذف شد"_s}));
        QCOMPARE(rowTexts(u"select id from tavrelkol"_s), QStringList{QString::number(kept)});
        QCOMPARE(rowTexts(u"select tavrelkol_id from tavrelkol_pic"_s), QStringList{QString::number(gone)});
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        pageUi().N3->trigger();
        QCOMPARE(menuStates(pageUi().MainMenu1), noRows);
    }
    // The export: the captions in the list's order, values as stored, texts trimmed, a row with attachments once
    // with their count, a row without any with an empty count.
    void exportCarriesTheCaptions()
    {
        const qint64 id =
            addPurchase(*env, {{u"prj_name"_s, u" پروژه الف "_s}, {u"mablagh_kol"_s, Q_INT64_C(1'000'000'000'000)}});
        const qint64 bare = addPurchase(*env, {{u"prj_name"_s, u"ب"_s}});
        for (const QString &scan : {u"scan"_s, u"scan 2"_s})
            addRow(*env, u"tavrelkol_pic"_s, {{u"tavrelkol_id"_s, id}, {u"cmt"_s, scan}});
        page().src_btnClick();
        page().N4Click();
        const XlsxSheet sheet(env->openedFiles.value(0));
        const auto cells = [&](const QString &row) {
            return QStringList{sheet.cell(u'A' + row).text, sheet.cell(u'F' + row).text, sheet.cell(u'N' + row).text,
                               sheet.cell(u'T' + row).text, sheet.cell(u'Z' + row).text};
        };
        QCOMPARE(cells(u"1"_s), (QStringList{u"نام پروژه"_s, u"مبلغ کل"_s, QString(), u"شناسه"_s, QString()}));
        QCOMPARE(
            cells(u"2"_s), (QStringList {u"پروژه الف"_s, u"1000000000000"_s, u"2"_s, QString::number(id), QString()}));
        QCOMPARE(cells(u"3"_s), (QStringList {u"ب"_s, QString(), QString(), QString::number(bare), QString()}));
        QCOMPARE(sheet.lastRow, 3);
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
        forms::main_->N1Click();
        QVERIFY(pageUi().CheckBox2->isChecked());
        QCOMPARE(pageUi().mozo->currentText() + pageUi().cmt->text() + pageUi().user->text(), u"-1"_s);
        QCOMPARE(pageUi().pardakht_dat1->storedText() + pageUi().pardakht_dat2->storedText(),
                 shamsiToday() + shamsiToday());
        QCOMPARE(pageUi().cnt->text() + u'|' + pageUi().mablagh_kol_sum->text(), u"1|1,500"_s);
        const QStringList subjects{u"a"_s, u"b"_s, u"a"_s, u"b"_s};
        QCOMPARE(comboItems(pageUi().mozo) + comboItems(entryUi().mozo), subjects);
        addPurchase(*env, {{u"mozo"_s, u"c"_s}});
        forms::main_->N1Click();
        QCOMPARE(comboItems(pageUi().mozo) + comboItems(entryUi().mozo), subjects);
    }
};

QTEST_MAIN(TestTavrelkolSrc)
#include "tst_tavrelkol_src.moc"
