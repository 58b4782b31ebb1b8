// The purchases register: each filter, the count and total, the grid, the new/edit/delete commands, the
// export, the user list and the user balloon.
#include "Dates.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "forms.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/form_input.h"
#include "support/purchase_rows.h"
#include "support/testenv.h"
#include "support/xlsx_reader.h"
#include "ui/control_text.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QBrush>
#include <QHeaderView>
#include <QCheckBox>
#include <QTest>
#include <QToolTip>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

Ttavrelkol_src &page() { return *forms::tavrelkol_src; }
Ui::Ttavrelkol_src &pageUi() { return *forms::tavrelkol_src->ui; }
Ui::Ttavrelkol_ins &entryUi() { return *forms::tavrelkol_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_tavrel; }

QList<qint64> listedIds()
{
    db::Query &rows = listQuery();
    QList<qint64> ids;
    for (int row = 0; row < rows.recordCount(); ++row)
        ids << rows.valueAt(row, rows.fieldIndex(u"id"_s)).toLongLong();
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Four purchases that the filters tell apart; the comments say what each filter case relies on.
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

class TestTavrelkolSrc : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs();
    }
    void cleanup() { env.reset(); }

    void eachFilterAlone_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("controls"); // the filter's controls, separated by ","
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("rows"); // indexes of the seeded rows expected
        QTest::addColumn<QString>("total");   // of their amounts, grouped; empty when none has one
        const auto row = [](const char *name, int box, const char *controls, const QStringList &texts,
                            const QList<int> &rows, const QString &total) {
            QTest::newRow(name) << u"CheckBox"_s + QString::number(box) << QString::fromLatin1(controls) << texts << rows
                                << total;
        };
        row("project", 1, "prj_name", {u"الف"_s}, {0}, u"1,000"_s);
        row("project empty text drops nulls", 1, "prj_name", {u""_s}, {0, 1, 3}, u"3,507"_s);
        row("subject", 2, "mozo", {u"ميز"_s}, {1, 2}, u"2,500"_s);
        row("shop", 3, "foroshande", {u"دو"_s}, {1, 2}, u"2,500"_s);
        row("site empty text", 4, "kargah", {u""_s}, {0, 2}, u"1,000"_s);
        row("year 140 is a like", 5, "sal", {u"140"_s}, {0, 1, 3}, u"3,507"_s);
        row("comment with a quote", 6, "cmt", {u"'"_s}, {2}, QString());
        row("invoice with a wildcard", 7, "faktor_no", {u"F-_00"_s}, {0, 1}, u"3,500"_s);
        row("receipt", 8, "resid", {u"8"_s}, {1}, u"2,500"_s);
        row("secretariat number", 9, "dabir_no", {u"6"_s}, {1}, u"2,500"_s);
        row("receipt dates inclusive", 10, "pardakht_dat1,pardakht_dat2", {u"1403/01/01"_s, u"1403/01/15"_s}, {1, 2},
            u"2,500"_s);
        row("user chosen", 11, "us", {u"admin"_s}, {0}, u"1,000"_s);
        row("user none chosen", 11, "us", {}, {}, QString());
        row("user unknown", 11, "us", {u"nobody"_s}, {}, QString());
        row("payment state", 12, "pardakhti", {u"پرداخت شد"_s}, {0, 2}, u"1,000"_s);
    }
    void eachFilterAlone()
    {
        QFETCH(QString, box);
        QFETCH(QString, controls);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, rows);
        QFETCH(QString, total);
        const QList<qint64> seeded = seedFilterRows(*env);

        page().src_btnClick();
        QCOMPARE(listedIds(), seeded); // no filter on: every row

        auto *check = page().findChild<QCheckBox *>(box);
        QVERIFY(check);
        check->click();
        const QStringList names = controls.split(u',');
        for (qsizetype i = 0; i < texts.size(); ++i) {
            auto *control = page().findChild<QWidget *>(names.at(i));
            QVERIFY(control && control->isEnabled());
            ui::setControlText(control, texts.at(i));
        }

        page().src_btnClick();
        QList<qint64> expected;
        for (int row : rows)
            expected << seeded.at(row);
        QCOMPARE(listedIds(), expected);
        QCOMPARE(pageUi().cnt->text(), QString::number(rows.size()));
        QCOMPARE(pageUi().mablagh_kol_sum->text(), total);
    }
    void countAndTotalFollowTheListedRows()
    {
        page().src_btnClick();
        QCOMPARE(pageUi().cnt->text(), u"0"_s);
        QCOMPARE(pageUi().mablagh_kol_sum->text(), QString());

        addPurchase(*env, {{u"mablagh_kol"_s, Q_INT64_C(1'000'000'000'000)}, {u"mozo"_s, u"a"_s}});
        addPurchase(*env, {{u"mablagh_kol"_s, 234'567}, {u"mozo"_s, u"b"_s}});
        addPurchase(*env, {{u"mozo"_s, u"c"_s}}); // no amount: counted, adds nothing
        page().src_btnClick();
        QCOMPARE(pageUi().cnt->text(), u"3"_s);
        QCOMPARE(pageUi().mablagh_kol_sum->text(), u"1,000,000,234,567"_s);

        // Beyond what a floating-point sum keeps exactly (2^53): ten of the largest amounts and one rial.
        for (int i = 0; i < 10; ++i)
            addPurchase(*env, {{u"mablagh_kol"_s, Q_INT64_C(922'337'203'685'477)}, {u"mozo"_s, u"big"_s}});
        addPurchase(*env, {{u"mablagh_kol"_s, 1}, {u"mozo"_s, u"big"_s}});
        pageUi().CheckBox2->click();
        pageUi().mozo->setEditText(u"big"_s);
        page().src_btnClick();
        QCOMPARE(pageUi().cnt->text(), u"11"_s);
        QCOMPARE(pageUi().mablagh_kol_sum->text(), u"9,223,372,036,854,771"_s);

        // A new row shows in the grid at once; count and total wait for the next search.
        addPurchase(*env, {{u"mablagh_kol"_s, 5}, {u"mozo"_s, u"big"_s}});
        QCOMPARE(pageUi().cnt->text(), u"11"_s);
    }
    void gridColumnsMenuAndRowColour()
    {
        const QList<qint64> seeded = seedFilterRows(*env);
        page().src_btnClick();
        db::QueryModel &model = page().gridModel();
        QCOMPARE(model.fieldOfColumn(0), u"id"_s);
        QVERIFY(pageUi().DBGrid1->isColumnHidden(0));

        // Only "پرداخت شد" exactly is green; the partly paid row keeps the default.
        for (int row = 0; row < listQuery().recordCount(); ++row) {
            const qint64 id = listQuery().valueAt(row, listQuery().fieldIndex(u"id"_s)).toLongLong();
            QCOMPARE(background(row), id == seeded.at(0) ? QColor(0, 255, 0) : QColor());
        }

        // A title click sorts by its field, ascending first.
        Q_EMIT pageUi().DBGrid1->horizontalHeader()->sectionClicked(model.columnOfField(u"dabir_no"_s));
        QCOMPARE(listQuery().sort(), u"dabir_no ASC"_s);
        page().src_btnClick();
        QVERIFY(pageUi().DBGrid1->isColumnHidden(0)); // still hidden after a new search
    }
    void newProposesTheYearsNextSecretariatNumber()
    {
        const int year = fiscalYear().toInt();
        page().N1Click();
        QCOMPARE(entryUi().dabir_no->text(), u"1"_s); // the year has no purchase yet
        QCOMPARE(entryUi().sal->storedText(), fiscalYear());
        QVERIFY(!entryUi().ins_btn->isHidden() && entryUi().edit_btn->isHidden());

        addPurchase(*env, {{u"sal"_s, year - 1}, {u"dabir_no"_s, 50}}); // another year plays no part
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 7}});
        addPurchase(*env, {{u"sal"_s, year}, {u"dabir_no"_s, 3}});
        entryUi().prj_name->setEditText(u"left over"_s);
        page().N1Click();
        QCOMPARE(entryUi().dabir_no->text(), u"8"_s);
        QCOMPARE(entryUi().prj_name->currentText(), QString()); // emptied

        // A number typed by hand moves the sequence on.
        entryUi().dabir_no->setText(u"100"_s);
        entryUi().mozo_cmt->setText(u"x"_s);
        env->dialogs.reset();
        forms::tavrelkol_ins->ins_btnClick();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s}); // nothing repeats: no warning asked
        page().N1Click();
        QCOMPARE(entryUi().dabir_no->text(), u"101"_s);
    }
    void deleteAsksAndLeavesTheAttachments()
    {
        const qint64 kept = addPurchase(*env, {{u"mozo"_s, u"kept"_s}});
        const qint64 gone = addPurchase(*env, {{u"mozo"_s, u"gone"_s}});
        addPurchaseAttachment(*env, gone, u"invoice scan"_s);
        addPurchaseAttachment(*env, gone, u"receipt scan"_s);
        page().src_btnClick();
        QVERIFY(listQuery().locate(u"id"_s, gone));

        env->dialogs.answers.enqueue(ui::Answer::No);
        page().N3Click();
        QCOMPARE(env->dialogs.shown.last().text, u"آيا از حذف مطمئن هستيد؟"_s);
        QCOMPARE(env->dialogs.shown.last().buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(env->scalar(u"select count(*) from tavrelkol"_s).toInt(), 2);

        env->dialogs.answers.enqueue(ui::Answer::Yes);
        page().N3Click();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف شد"_s);
        QCOMPARE(env->scalar(u"select count(*) from tavrelkol where id=?"_s, {gone}).toInt(), 0);
        QCOMPARE(env->scalar(u"select count(*) from tavrelkol where id=?"_s, {kept}).toInt(), 1);
        QCOMPARE(env->scalar(u"select count(*) from tavrelkol_pic where tavrelkol_id=?"_s, {gone}).toInt(), 2);
        QCOMPARE(listedIds(), QList<qint64>{kept});
    }
    void currentRowCommandsDoNothingOnAnEmptyList()
    {
        const auto rowCommandsOn = [] {
            return QList<bool>{pageUi().N2->isEnabled(), pageUi().N3->isEnabled(), pageUi().N6->isEnabled(),
                               pageUi().N7->isEnabled()};
        };
        const QList<bool> on{true, true, true, true}, off{false, false, false, false};
        QCOMPARE(rowCommandsOn(), off);
        page().N2Click(); // never searched
        page().src_btnClick();
        QVERIFY(listQuery().isEmpty());
        page().N2Click();
        page().N3Click();
        page().DBGrid1CellClick();
        QVERIFY(env->dialogs.shown.isEmpty());
        QVERIFY(pageUi().N1->isEnabled() && pageUi().N4->isEnabled());

        // Rows bring the commands back, as far as the rights allow; deleting the last row takes them away.
        const qint64 id = addPurchase(*env, {{u"mozo"_s, u"only"_s}});
        pageUi().N3->setEnabled(false); // no delete right
        page().src_btnClick();
        QCOMPARE(rowCommandsOn(), (QList<bool>{true, false, true, true}));
        pageUi().N3->setEnabled(true);
        QCOMPARE(rowCommandsOn(), on);
        QVERIFY(listQuery().locate(u"id"_s, id));
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        page().N3Click();
        QCOMPARE(rowCommandsOn(), off);
        pageUi().N2->setEnabled(true); // an edit right given while the list is empty waits for rows
        QVERIFY(!pageUi().N2->isEnabled());
    }
    void exportCarriesTheCaptions()
    {
        const qint64 id = addPurchase(*env, {{u"prj_name"_s, u" پروژه الف "_s},
                                             {u"mablagh_kol"_s, Q_INT64_C(1'000'000'000'000)},
                                             {u"sal"_s, 1403}});
        addPurchaseAttachment(*env, id, u"scan"_s);
        page().src_btnClick();
        page().N4Click();
        QCOMPARE(env->openedFiles.size(), 1);
        const XlsxSheet sheet(env->openedFiles.first());
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));

        const QStringList headers = {
            u"نام پروژه"_s, u"موضوع"_s, u"تعداد"_s, u"واحد"_s, u"مبلغ"_s, u"مبلغ کل"_s, u"تاريخ خريد"_s, u"تاريخ رسيد"_s,
            u"فروشنده"_s, u"رسيد"_s, u"ش فاکتور"_s, u"کارگاه"_s, u"توضيحات"_s, QString(), QString(), QString(),
            QString(), QString(), QString(), u"شناسه"_s, u"سال"_s, QString(), QString(), QString(), QString()};
        for (int column = 0; column < headers.size(); ++column)
            QCOMPARE(sheet.cell(XlsxSheet::columnName(column) + u'1').text, headers.at(column));
        QVERIFY(sheet.cell(XlsxSheet::columnName(int(headers.size())) + u'1').text.isEmpty());
        QCOMPARE(sheet.cell(u"A2"_s).text, u"پروژه الف"_s); // trimmed
        QCOMPARE(sheet.cell(u"F2"_s).text, u"1000000000000"_s);
        QCOMPARE(sheet.cell(u"N2"_s).text, u"1"_s); // pic_count
        QCOMPARE(sheet.cell(u"T2"_s).text, QString::number(id));
        QCOMPARE(sheet.lastRow, 2);
    }
    void userListUserChoiceAndBalloon()
    {
        const QList<qint64> seeded = seedFilterRows(*env);
        const qint64 anonymous = addPurchase(*env, {{u"mozo"_s, u"no user"_s}});
        page().show(); // the user list fills when the page shows
        QCOMPARE(comboItems(pageUi().us), QStringList({u"admin"_s, u"ali"_s}));

        pageUi().us->setEditText(u"ali"_s);
        QCOMPARE(pageUi().user->text(), u"2"_s);
        pageUi().us->setEditText(u"nobody"_s);
        QCOMPARE(pageUi().user->text(), QString());
        QVERIFY(!pageUi().user->isVisible());

        page().src_btnClick();
        QVERIFY(listQuery().locate(u"id"_s, seeded.at(0)));
        // The users page's list stays as it was: the balloon looks the name up on a query of its own.
        db::Query &usersList = *forms::dm->adoq_user;
        usersList.clear();
        usersList.add(u"select * from users where id<>-1 "_s);
        usersList.open();
        page().DBGrid1CellClick();
        QCOMPARE(usersList.text(), u"select * from users where id<>-1 "_s);
        QCOMPARE(usersList.recordCount(), 2);
        QVERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains(u"<b>"_s) && QToolTip::text().contains(u"User"_s), qPrintable(QToolTip::text()));
        QVERIFY(QToolTip::text().contains(u"admin"_s));

        QVERIFY(listQuery().locate(u"id"_s, anonymous));
        page().DBGrid1CellClick();
        QVERIFY(QToolTip::text().contains(u"User"_s));
        QVERIFY(!QToolTip::text().contains(u"admin"_s));
        page().hide();
    }
};

QTEST_MAIN(TestTavrelkolSrc)
#include "tst_tavrelkol_src.moc"
