// The invoice register: each caption filter, the statement list, the debit operator, the own-rows rule, the
// totals and balance, the grid, the opener, the entry form's preparation and the year repair.
#include "Dates.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "forms.h"
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "main_u.h"
#include "support/invoice_rows.h"
#include "support/testenv.h"
#include "ui/control_text.h"
#include "ui_ins_u.h"
#include "ui_main_u.h"
#include "ui_src_chek_u.h"
#include <QApplication>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

Tchek_src &page() { return *forms::chek_src; }
Ui::Tchek_src &pageUi() { return *forms::chek_src->ui; }
Ui::Tchek_ins &entryUi() { return *forms::chek_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_chek; }

const QString ownRowsTitle = u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s;

QList<qint64> listedIds(bool inOrder = false)
{
    db::Query &rows = listQuery();
    QList<qint64> ids;
    for (int row = 0; row < rows.recordCount(); ++row)
        ids << rows.valueAt(row, rows.fieldIndex(u"id"_s)).toLongLong();
    if (!inOrder)
        std::sort(ids.begin(), ids.end());
    return ids;
}

QList<qint64> pick(const QList<qint64> &seeded, const QList<int> &rows)
{
    QList<qint64> ids;
    for (int row : rows)
        ids << seeded.at(row);
    return ids;
}

// Four invoices the filters tell apart. Stored texts carry the Arabic kaf, as the entry form stores them.
QList<qint64> seedInvoices(TestEnv &env)
{
    env.exec(u"insert into users (us) values ('ali')"_s); // id 2
    return {
        addInvoice(env, {{u"hesab_no"_s, u"111"_s}, {u"daste_chek_no"_s, u"D-1"_s}, {u"foroshgah"_s, u"فروشگاه كتاب"_s},
                         {u"mozo"_s, u"خريد كاغذ"_s}, {u"chek_no"_s, u"C-100"_s}, {u"cmt"_s, u"فوري"_s},
                         {u"mablagh"_s, 1000}, {u"variz"_s, 5000}, {u"bedehkari"_s, 500}, {u"rizhazine"_s, u"12"_s},
                         {u"salemali"_s, u"1402"_s}, {u"chek_dat"_s, u"1402/05/10"_s}, {u"user_id"_s, 1}}),
        addInvoice(env, {{u"hesab_no"_s, u"222"_s}, {u"daste_chek_no"_s, u"D-2"_s}, {u"foroshgah"_s, u"شركت نور"_s},
                         {u"mozo"_s, u"تعمير"_s}, {u"chek_no"_s, u"C-200"_s}, {u"cmt"_s, u"it's"_s},
                         {u"mablagh"_s, 2500}, {u"variz"_s, 0}, {u"bedehkari"_s, 1500}, {u"rizhazine"_s, u"15"_s},
                         {u"salemali"_s, u"1403"_s}, {u"chek_dat"_s, u"1403/01/01"_s}, {u"user_id"_s, 2}}),
        addInvoice(env, {{u"hesab_no"_s, u"111"_s}, {u"foroshgah"_s, u"فروشگاه كتاب"_s}, {u"mozo"_s, u"ميز"_s},
                         {u"mablagh"_s, 400}, {u"variz"_s, 1000}, {u"bedehkari"_s, 1000}, {u"rizhazine"_s, u"12"_s},
                         {u"salemali"_s, u"1403"_s}, {u"chek_dat"_s, u"1403/02/01"_s}, {u"user_id"_s, 2}}),
        addInvoice(env, {{u"hesab_no"_s, u"333"_s}, {u"mablagh"_s, 7}, {u"rizhazine"_s, u"20"_s},
                         {u"salemali"_s, u"1404"_s}, {u"chek_dat"_s, u"1404/01/01"_s}, {u"user_id"_s, 1}}),
    };
}

void click(const QString &caption)
{
    auto *label = page().findChild<ClickLabel *>(caption);
    QVERIFY(label);
    Q_EMIT label->clicked();
}

} // namespace

class TestChekSrc : public QObject {
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
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("user") << u"Label1"_s << u"us"_s << u"ali"_s << QList<int>{1, 2};
        QTest::newRow("user unknown") << u"Label1"_s << u"us"_s << u"nobody"_s << QList<int>{};
        QTest::newRow("cheque book") << u"Label15"_s << u"daste_chek_no"_s << u"D-"_s << QList<int>{0, 1};
        QTest::newRow("shop typed with the Persian kaf") << u"Label14"_s << u"foroshgah"_s << u"کتاب"_s
                                                         << QList<int>{0, 2};
        QTest::newRow("subject typed with the Persian kaf") << u"Label11"_s << u"mozo"_s << u"کاغذ"_s << QList<int>{0};
        QTest::newRow("cheque serial with a wildcard") << u"Label9"_s << u"chek_no"_s << u"C-_00"_s
                                                       << QList<int>{0, 1};
        QTest::newRow("remarks with a quote") << u"Label13"_s << u"cmt"_s << u"'"_s << QList<int>{1};
        QTest::newRow("amount") << u"Label10"_s << u"mablagh"_s << u"2500"_s << QList<int>{1};
        QTest::newRow("account") << u"Label5"_s << u"hesab_no"_s << u"111"_s << QList<int>{0, 2};
        QTest::newRow("year without the mask's blanks") << u"Label18"_s << u"salemali"_s << u"03"_s
                                                        << QList<int>{1, 2};
    }
    void eachFilterAlone()
    {
        QFETCH(QString, caption);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QList<int>, rows);
        const QList<qint64> seeded = seedInvoices(*env);

        // The fiscal year is the one filter on from the start; off, every row shows, newest date first.
        QVERIFY(pageUi().salemali->isEnabled());
        click(u"Label18"_s);
        page().BitBtn1Click();
        QCOMPARE(listedIds(true), (QList<qint64>{seeded[3], seeded[2], seeded[1], seeded[0]}));

        auto *field = page().findChild<QWidget *>(control);
        QVERIFY(!field->isEnabled());
        click(caption);
        QVERIFY(field->isEnabled());
        QCOMPARE(page().findChild<QLabel *>(caption)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        ui::setControlText(field, text);
        page().BitBtn1Click();
        QCOMPARE(listedIds(), pick(seeded, rows));
        QCOMPARE(pageUi().cnt->text(), QString::number(rows.size()));

        click(caption); // off again: black, and no longer searched
        QCOMPARE(page().findChild<QLabel *>(caption)->palette().color(QPalette::WindowText), QColor(Qt::black));
        page().BitBtn1Click();
        QCOMPARE(listedIds().size(), seeded.size());
    }
    void leavingAKafFilterStoresTheArabicKaf()
    {
        click(u"Label14"_s);
        pageUi().foroshgah->setText(u"کتاب کم"_s);
        page().foroshgahExit();
        QCOMPARE(pageUi().foroshgah->text(), u"كتاب كم"_s);
    }
    void statementNumbersFromTheList()
    {
        const QList<qint64> seeded = seedInvoices(*env);
        click(u"Label18"_s);
        click(u"Label12"_s);
        QVERIFY(pageUi().add_hamkari->isEnabled() && pageUi().show_list_hamkari->isEnabled());
        pageUi().rizhazine->setEditText(u"12"_s); // the box's own text is not searched
        page().BitBtn1Click();
        QCOMPARE(listedIds(), QList<qint64>{});
        QCOMPARE(pageUi().mablagh_sum->text(), u"0"_s);
        QCOMPARE(pageUi().tankhah_mande->text(), u"0"_s);

        pageUi().add_hamkari->click();
        pageUi().rizhazine->setEditText(u"15"_s);
        pageUi().add_hamkari->click();
        pageUi().show_list_hamkari->click();
        QVERIFY(pageUi().list_hamkari->isVisibleTo(&page()));
        page().BitBtn1Click();
        QCOMPARE(listedIds(), pick(seeded, {0, 1, 2}));

        // Switched off and on again, the list starts empty and hidden; the tick stays.
        click(u"Label12"_s);
        QVERIFY(!pageUi().add_hamkari->isEnabled());
        click(u"Label12"_s);
        QCOMPARE(pageUi().list_hamkari->count(), 0);
        QVERIFY(!pageUi().list_hamkari->isVisibleTo(&page()));
    }
    void debitOperatorReadsFromValueToCaption()
    {
        const QList<qint64> seeded = seedInvoices(*env);
        click(u"Label18"_s);
        click(u"Label8"_s);
        QVERIFY(pageUi().Combo_bedehkari->isEnabled());
        pageUi().bedehkari->setText(u"1000"_s);
        const QList<std::pair<int, QList<int>>> cases = {
            {-1, {0, 1, 2, 3}}, // nothing chosen: no condition
            {0, {2}},           // "="
            {1, {1}},           // "<": the value is less than the debit
            {2, {0}},           // ">"
            {3, {0, 1}},        // "<>"
        };
        for (const auto &[chosen, rows] : cases) {
            pageUi().Combo_bedehkari->setCurrentIndex(chosen);
            page().BitBtn1Click();
            QCOMPARE(listedIds(), pick(seeded, rows));
        }
    }
    void ownRowsRuleSparesTheProvinceLevel()
    {
        const QList<qint64> seeded = seedInvoices(*env);
        click(u"Label18"_s);
        env->exec(u"insert into setting (component, cmt, user_id) values (?, ?, 2)"_s, {ownRowsTitle, u"بلي"_s});
        page().BitBtn1Click();
        QCOMPARE(listedIds().size(), 4); // "admin" is of level "ostan"
        env->signInAs(2, u"ali"_s, u"shahrestan"_s);
        page().BitBtn1Click();
        QCOMPARE(listedIds(), pick(seeded, {1, 2}));
        QCOMPARE(pageUi().cnt->text(), u"2"_s);
        env->exec(u"update setting set cmt=?"_s, {u"خير"_s});
        page().BitBtn1Click();
        QCOMPARE(listedIds().size(), 4);
    }
    void totalsAndBalanceFollowTheList()
    {
        click(u"Label18"_s);
        page().BitBtn1Click();
        for (QLabel *total : std::initializer_list<QLabel *>{pageUi().cnt, pageUi().variz_sum, pageUi().bedehkari_sum,
                                                             pageUi().mablagh_sum, pageUi().tankhah_mande,
                                                             pageUi().mablagh_sum2})
            QCOMPARE(total->text(), u"0"_s);

        addInvoice(*env, {{u"variz"_s, 250000}, {u"mablagh"_s, 150000}, {u"tankhah"_s, 99}, {u"bedehkari"_s, 1234}});
        addInvoice(*env, {{u"mablagh"_s, 250000}}); // no deposit: adds nothing to it
        // Beyond what a floating-point sum keeps exactly.
        addInvoice(*env,
                   {{u"variz"_s, Q_INT64_C(922'337'203'685'477)}, {u"mablagh"_s, Q_INT64_C(900'000'000'000'001)}});
        page().BitBtn1Click();
        QCOMPARE(pageUi().cnt->text(), u"3"_s);
        QCOMPARE(pageUi().variz_sum->text(), u"922,337,203,935,477"_s);
        QCOMPARE(pageUi().bedehkari_sum->text(), u"1,234"_s);
        QCOMPARE(pageUi().mablagh_sum->text(), u"900,000,000,400,001"_s);
        QCOMPARE(pageUi().mablagh_sum2->text(), u"900000000400001"_s);
        QCOMPARE(pageUi().tankhah_mande->text(), u"22,337,203,535,476"_s);

        env->exec(u"delete from chek where variz > 300000"_s);
        page().BitBtn1Click();
        QCOMPARE(pageUi().tankhah_mande->text(), u"-150,000"_s);
        page().tankhah_mandeClick();
        page().variz_sumClick();
        QCOMPARE(pageUi().tankhah_mande->text(), u"-150,000"_s);
        QCOMPARE(pageUi().variz_sum->text(), u"250,000"_s);
    }
    void gridColumns()
    {
        const db::QueryModel &model = page().gridModel();
        QCOMPARE(model.columns().size(), 25);
        QCOMPARE(model.fieldOfColumn(0), u"id"_s);
        QCOMPARE(model.columns().at(0).alignment, Qt::AlignCenter);
        QCOMPARE(model.fieldOfColumn(23), u"MablaghText"_s);
        QCOMPARE(model.headerData(24, Qt::Horizontal, Qt::DisplayRole).toString(), u"MablaghDigit"_s);
        QStringList tinted;
        for (const db::GridColumn &column : model.columns())
            if (column.titleBackground.isValid())
                tinted << column.field;
        QCOMPARE(tinted, (QStringList{u"hesab_no"_s, u"mablagh"_s, u"chek_no"_s, u"cmt"_s, u"bedehkari"_s,
                                      u"tankhah"_s}));

        addInvoice(*env, {{u"mablagh"_s, 1234567}, {u"salemali"_s, fiscalYear()}});
        page().BitBtn1Click();
        const QModelIndex digits = model.index(0, model.columnOfField(u"MablaghDigit"_s));
        QCOMPARE(model.data(digits, Qt::DisplayRole).toString(), u"1,234,567"_s);
    }
    void openerResetsAndShowsWithoutSearching()
    {
        seedInvoices(*env);
        env->signInAs(3, u"sara"_s, u"shahrestan"_s);
        forms::main_->N12Click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"شما دسترسي به اين صفحه را نداريد"_s});

        env->setRights(3, u"faktor"_s, {false, true, true, true});
        click(u"Label11"_s); // a switched-on filter stays on; its text is emptied
        pageUi().mozo->setText(u"old"_s);
        pageUi().mablagh->setText(u"55"_s);
        pageUi().user->setText(u"9"_s);
        pageUi().salemali->setStoredText(u"1390"_s);
        env->dialogs.reset();
        forms::main_->N12Click();
        QCOMPARE(env->dialogs.shown.size(), 1);
        QCOMPARE(env->dialogs.shown.first().kind, u"modal"_s);
        QVERIFY(pageUi().mozo->isEnabled());
        QCOMPARE(pageUi().mozo->text(), QString());
        QCOMPARE(pageUi().mablagh->text(), u"0"_s);
        QCOMPARE(pageUi().user->text(), u"-1"_s);
        QCOMPARE(pageUi().salemali->storedText(), fiscalYear());
        QVERIFY(!listQuery().active()); // shown without a search
        QList<bool> menu;
        for (QAction *item : pageUi().MainMenu1->actions())
            menu << item->isEnabled();
        // No insert right; edit, delete and attachments wait for rows; print, reports and close on.
        QCOMPARE(menu, (QList<bool>{false, false, false, false, true, true, true}));
    }
    void preparesTheEntryForm()
    {
        const QList<qint64> seeded = seedInvoices(*env);
        page().N4Click(); // nothing on a list never searched
        page().N5Click();
        QVERIFY(env->dialogs.shown.isEmpty());

        entryUi().cmt->setText(u"left over"_s);
        page().N3Click();
        QCOMPARE(entryUi().cmt->text(), QString());
        for (QLineEdit *amount : std::initializer_list<QLineEdit *>{entryUi().tankhah, entryUi().variz, entryUi().mablagh,
                                                                    entryUi().bedehkari, entryUi().variz2,
                                                                    entryUi().mablagh2})
            QCOMPARE(amount->text(), u"0"_s);
        QCOMPARE(entryUi().salemali->storedText(), fiscalYear());
        QVERIFY(!entryUi().variz->isReadOnly());
        QVERIFY(!entryUi().ins_btn->isHidden() && entryUi().edit_btn->isHidden() && entryUi().del_btn->isHidden());
        forms::chek_ins->hide();

        click(u"Label18"_s);
        page().BitBtn1Click();
        QVERIFY(listQuery().locate(u"id"_s, seeded[0]));
        page().N4Click();
        QCOMPARE(entryUi().foroshgah->currentText(), u"فروشگاه كتاب"_s);
        QCOMPARE(entryUi().variz->text(), u"5,000"_s);
        QCOMPARE(entryUi().variz2->text(), u"5000"_s);
        QCOMPARE(entryUi().chek_dat->storedText(), u"1402/05/10"_s);
        QVERIFY(entryUi().variz->isReadOnly());
        QVERIFY(entryUi().ins_btn->isHidden() && !entryUi().edit_btn->isHidden() && entryUi().del_btn->isHidden());
        forms::chek_ins->hide();

        entryUi().variz2->setText(u"kept"_s);
        page().N5Click();
        QCOMPARE(entryUi().variz2->text(), u"kept"_s);
        QVERIFY(entryUi().ins_btn->isHidden() && entryUi().edit_btn->isHidden() && !entryUi().del_btn->isHidden());
        forms::chek_ins->hide();
    }
    void yearRepair()
    {
        const qint64 shortDate = addInvoice(*env, {{u"chek_dat"_s, u"93/05/01"_s}, {u"salemali"_s, u"1393"_s}});
        const qint64 longDate = addInvoice(*env, {{u"chek_dat"_s, u"1393/5/1"_s}, {u"salemali"_s, u"1393"_s}});
        const qint64 oddDate = addInvoice(*env, {{u"chek_dat"_s, u"9a/05/01"_s}, {u"salemali"_s, u"1393"_s}});
        const auto dateOf = [this](qint64 id) {
            return env->scalar(u"select chek_dat from chek where id=?"_s, {id}).toString();
        };
        pageUi().salemali->setStoredText(u"1393"_s);

        env->dialogs.inputs.enqueue(std::nullopt); // Cancel writes nothing
        page().N8Click();
        QCOMPARE(dateOf(shortDate), u"93/05/01"_s);
        QVERIFY(!listQuery().active());

        // Asked again until the answer is two digits.
        env->dialogs.inputs.enqueue(u"1"_s);
        env->dialogs.inputs.enqueue(u"139"_s);
        env->dialogs.inputs.enqueue(u"۱۳"_s);
        page().N8Click();
        QCOMPARE(env->dialogs.shown.size(), 4);
        QCOMPARE(env->dialogs.shown.last().caption, u"Year"_s);
        QCOMPARE(dateOf(shortDate), u"1393/05/01"_s);
        QCOMPARE(dateOf(longDate), u"1393/5/1"_s);
        QCOMPARE(dateOf(oddDate), u"9a/05/01"_s);
        // The search ran again under the filters.
        QCOMPARE(pageUi().cnt->text(), u"3"_s);
        QCOMPARE(listedIds(), (QList<qint64>{shortDate, longDate, oddDate}));
    }
};

QTEST_MAIN(TestChekSrc)
#include "tst_chek_src.moc"
