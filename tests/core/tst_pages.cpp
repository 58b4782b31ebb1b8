// What the page kit wires on every list page, proved once over a table of the pages: the rights on every road
// to a command (the menu, the grid's double click), the title sort both ways, a delete of a row another user
// deleted meanwhile, and filter texts beyond their column.
#include "persian/Dates.h"
#include "db/querymodel.h"
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "main_u.h"
#include "page_rights.h"
#include "purchasing/darkhast_ins_u.h"
#include "purchasing/darkhast_src_u.h"
#include "purchasing/estelam_ins_u.h"
#include "purchasing/estelam_src_u.h"
#include "purchasing/foroshande_src_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "registers/abadiha_ins_u.h"
#include "registers/abadiha_u.h"
#include "registers/anbar_ins_u.h"
#include "registers/anbar_src_u.h"
#include "registers/bime_ins_u.h"
#include "registers/bime_src_u.h"
#include "registers/kala_ins_u.h"
#include "registers/kala_src_u.h"
#include "registers/payam_u.h"
#include "registers/phone_u.h"
#include "setting_u.h"
#include "support/page_test.h"
#include "ui/click_label.h"
#include "ui/control_text.h"
#include "ui_ins_u.h"
#include "ui_main_u.h"
#include "ui_payam_u.h"
#include "ui_phone_u.h"
#include "ui_setting_u.h"
#include "users_u.h"
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

const QString rowGone = u"اين رديف را کاربر ديگري در اين فاصله حذف کرده است؛ دوباره جستجو کنيد"_s;

// A list page as the kit sees it.
struct ListPage {
    QAction *menuCommand = nullptr;      // the main window's command that opens it
    QString key;                         // its rights key; empty: opened without a rights check
    QWidget *form = nullptr;
    QString table;
    QString field;                       // a text column the grid shows and sorts by its title
    QVariantMap row;                     // what else a row needs to be listed
    QList<QObject *> insert, edit, remove; // the commands the rights switch
    QWidget *entry = nullptr;            // what the edit command shows; null: a double click does nothing
    std::function<void()> search;        // lists the rows after the opening; empty: the opening does
    std::function<void()> afterDelete;   // what the delete command leaves to do (the invoice's entry form)

    QTableView *grid() const { return form->findChild<QTableView *>(u"DBGrid1"_s); }
    db::QueryModel &model() const { return *qobject_cast<db::QueryModel *>(grid()->model()); }
    db::Query &list() const { return model().query(); }
    QList<QObject *> commands() const { return insert + edit + remove; }
};

void clickSearch(QWidget *form)
{
    for (const QString &name : {u"src_btn"_s, u"BitBtn1"_s})
        if (auto *button = form->findChild<QAbstractButton *>(name))
            return button->click();
}

ListPage listPage(const QString &name, int userId)
{
    Ui::Tmain &menu = *forms::main_->ui;
    ListPage p;
    // commands: insert, edit and delete, null where the page has none.
    const auto declare = [&](QAction *command, const QString &key, QWidget *form, const QString &table,
                             const QString &field, const QList<QObject *> &commands, QWidget *entry = nullptr) {
        p.menuCommand = command;
        p.key = key;
        p.form = form;
        p.table = table;
        p.field = field;
        const auto only = [](QObject *command) { return command ? QList<QObject *>{command} : QList<QObject *>{}; };
        p.insert = only(commands[0]);
        p.edit = only(commands[1]);
        p.remove = only(commands[2]);
        p.entry = entry;
    };
    // The list pages whose menu starts with insert, edit and delete; the form the edit shows.
    const struct {
        const char *name;
        QAction *command;
        QString key;
        QWidget *form;
        QString table;
        QString field;
        QWidget *entry;
    } menuPages[] = {
        {"purchases", menu.N1, u"tavrelkol"_s, forms::tavrelkol_src, u"tavrelkol"_s, u"mozo"_s, forms::tavrelkol_ins},
        {"requests", menu.N7, u"darkhast"_s, forms::darkhast_src, u"darkhast"_s, u"kala"_s, forms::darkhast_ins},
        {"inquiries", menu.N16, u"estelam"_s, forms::estelam_src, u"estelam"_s, u"onvan"_s, forms::estelam_ins},
        {"vendors", menu.N11, u"foroshande"_s, forms::foroshande_src, u"foroshandegan"_s, u"foroshgah"_s, nullptr},
        {"invoices", menu.N12, u"faktor"_s, forms::chek_src, u"chek"_s, u"mozo"_s, nullptr},
        {"insurance", menu.N13, u"bime"_s, forms::bime_src, u"bime"_s, u"bimename"_s, forms::bime_ins},
        {"warehouse", menu.N14, u"anbar"_s, forms::anbar_src, u"anbar"_s, u"kala_cmt"_s, forms::anbar_ins},
        {"goods", menu.N15, u"kala"_s, forms::kala_src, u"kala"_s, u"cmt"_s, forms::kala_ins},
        {"villages", menu.N18, u"abadiha"_s, forms::abadiha, u"abadiha"_s, u"rosta"_s, forms::abadiha_ins},
    };
    for (const auto &m : menuPages) {
        if (name != QLatin1StringView(m.name))
            continue;
        const QWidget *pageMenu = m.form->findChild<QWidget *>(u"MainMenu1"_s);
        if (!pageMenu)
            pageMenu = m.form->findChild<QWidget *>(u"PopupMenu1"_s);
        declare(m.command, m.key, m.form, m.table, m.field,
                {rights::menuItem(pageMenu, 0), rights::menuItem(pageMenu, 1), rights::menuItem(pageMenu, 2)}, m.entry);
    }
    if (name == "vendors"_L1) {
        p.search = [] { clickSearch(forms::foroshande_src); };
    } else if (name == "invoices"_L1) {
        p.row = {{u"salemali"_s, fiscalYear()}}; // the year filter is on from the start
        p.search = [] { clickSearch(forms::chek_src); };
        p.afterDelete = [] { forms::chek_ins->ui->del_btn->click(); };
    } else if (name == "villages"_L1) {
        p.search = [] { clickSearch(forms::abadiha); };
    } else if (name == "phone book"_L1) {
        Ui::Tphone &ui = *forms::phone->ui;
        declare(menu.N10, u"phone"_s, forms::phone, u"shakhsi"_s, u"name"_s,
                {ui.ins_btn, nullptr, rights::menuItem(ui.PopupMenu1, 0)});
    } else if (name == "settings"_L1) {
        Ui::Tsetting &ui = *forms::setting->ui;
        declare(menu.N9, u"setting"_s, forms::setting, u"setting"_s, u"cmt"_s,
                {ui.ins_btn, nullptr, rights::menuItem(ui.PopupMenu1, 0)});
        p.row = {{u"component"_s, u"واحد"_s}, {u"user_id"_s, userId}};
        p.search = [] {
            forms::setting->ui->component->setEditText(u"واحد"_s);
            forms::setting->componentChange();
        };
    } else if (name == "messages"_L1) {
        declare(menu.N17, QString(), forms::payam, u"payamha"_s, u"mozo"_s, {nullptr, nullptr, forms::payam->ui->N3});
        p.row = {{u"rec_prs_id"_s, userId}};
    }
    Q_ASSERT(p.form);
    return p;
}

// The pages the rights open; the messages page opens without.
const QStringList rightsPages = {u"purchases"_s, u"requests"_s, u"inquiries"_s, u"vendors"_s, u"invoices"_s,
                                 u"insurance"_s, u"warehouse"_s, u"goods"_s, u"villages"_s, u"phone book"_s,
                                 u"settings"_s};
const QStringList allPages = rightsPages + QStringList{u"messages"_s};

void pageNames(const QStringList &names, const QString &except = QString())
{
    QTest::addColumn<QString>("name");
    for (const QString &name : names)
        if (name != except)
            QTest::newRow(qPrintable(name)) << name;
}

QList<bool> enabled(const QList<QObject *> &commands)
{
    QList<bool> states;
    for (QObject *command : commands) {
        if (auto *action = qobject_cast<QAction *>(command))
            states << action->isEnabled();
        else
            states << qobject_cast<QWidget *>(command)->isEnabled();
    }
    return states;
}

int modalsShown(const ui::ScriptedDialogs &dialogs)
{
    return int(std::count_if(dialogs.shown.cbegin(), dialogs.shown.cend(),
                             [](const auto &shown) { return shown.kind == "modal"_L1; }));
}

// The grid's texts of a column, top to bottom.
QStringList columnTexts(const ListPage &page, const QString &field)
{
    const int column = page.model().columnOfField(field);
    QStringList texts;
    for (int row = 0; row < page.model().rowCount(); ++row)
        texts << page.model().data(page.model().index(row, column), Qt::DisplayRole).toString();
    return texts;
}

} // namespace

class TestPages : public PageTest {
    Q_OBJECT

    // Opens the page by its main-window command and lists its rows; false when the page was refused.
    bool open(const ListPage &page)
    {
        const int before = modalsShown(env->dialogs);
        page.menuCommand->trigger();
        if (modalsShown(env->dialogs) == before)
            return false;
        if (page.search)
            page.search();
        return true;
    }
    // The page opened by the administrator with every right, listing a row of each text; the rows' ids.
    QList<qint64> openWithRows(const ListPage &page, const QStringList &texts)
    {
        if (!page.key.isEmpty())
            env->setRights(1, page.key, {true, true, true, true});
        QList<qint64> ids;
        for (const QString &text : texts)
            ids << addListed(page, text);
        [&] { QVERIFY(open(page)); }();
        return ids;
    }
    qint64 addListed(const ListPage &page, const QString &text)
    {
        QVariantMap row = page.row;
        row.insert(page.field, text);
        return addRow(*env, page.table, row);
    }

private slots:
    // An account that may only view: the menu command opens the page, its insert, edit and delete commands are
    // off, and a double click on a row opens nothing and stores nothing. Given the edit right, the double click
    // runs the edit command (on the pages that have one). Without the view right the page is refused.
    void rightsHoldOnEveryRoad_data() { pageNames(rightsPages); }
    void rightsHoldOnEveryRoad()
    {
        QFETCH(QString, name);
        env->exec(u"insert into users (us) values ('viewer')"_s);
        env->signInAs(2, u"viewer"_s);
        const ListPage page = listPage(name, 2);
        addListed(page, u"a"_s);

        env->setRights(2, page.key, {true, true, true, false});
        QVERIFY(!open(page));
        QCOMPARE(env->dialogs.lastMessage(), u"شما دسترسي به اين صفحه را نداريد"_s);

        env->setRights(2, page.key, {false, false, false, true});
        QVERIFY(open(page));
        QCOMPARE(page.model().rowCount(), 1);
        QCOMPARE(enabled(page.commands()), QList<bool>(page.commands().size(), false));
        const int shown = modalsShown(env->dialogs);
        Q_EMIT page.grid()->doubleClicked(page.model().index(0, 1));
        QCOMPARE(modalsShown(env->dialogs), shown); // no entry form: nothing can be stored

        env->setRights(2, page.key, {false, true, false, true});
        QVERIFY(open(page));
        QCOMPARE(enabled(page.edit), QList<bool>(page.edit.size(), true));
        env->dialogs.reset();
        Q_EMIT page.grid()->doubleClicked(page.model().index(0, 1));
        QCOMPARE(modalsShown(env->dialogs), page.entry ? 1 : 0);
        if (page.entry)
            QCOMPARE(env->dialogs.shown.last().text, page.entry->objectName());
    }

    // A title click sorts its column ascending, the next click on it descending.
    void titleSortsBothWays_data() { pageNames(allPages, u"insurance"_s); } // insurance keeps the server's order
    void titleSortsBothWays()
    {
        QFETCH(QString, name);
        const ListPage page = listPage(name, 1);
        openWithRows(page, {u"b"_s, u"c"_s, u"a"_s});
        QHeaderView *titles = page.grid()->horizontalHeader();
        QVERIFY(titles->sectionsClickable());
        const int column = page.model().columnOfField(page.field);
        Q_EMIT titles->sectionClicked(column);
        QCOMPARE(columnTexts(page, page.field), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        Q_EMIT titles->sectionClicked(column);
        QCOMPARE(columnTexts(page, page.field), (QStringList{u"c"_s, u"b"_s, u"a"_s}));
    }

    // Deleting a row another user deleted meanwhile: a plain message, the list read again, the other rows kept.
    void deleteOfARowGoneMeanwhile_data() { pageNames(allPages, u"settings"_s); } // settings delete by value
    void deleteOfARowGoneMeanwhile()
    {
        QFETCH(QString, name);
        const ListPage page = listPage(name, 1);
        addSetting(*env, u"رمز حذف"_s, u"pw"_s); // the inquiries' delete password
        const QList<qint64> ids = openWithRows(page, {u"gone"_s, u"kept"_s});
        const qint64 gone = ids.at(0), kept = ids.at(1);
        QVERIFY(page.list().locate(u"id"_s, gone));
        otherWorkstation(*env)->exec(u"delete from "_s + page.table + u" where id=?"_s, {gone});
        env->dialogs.reset();
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        env->dialogs.inputs.enqueue(u"pw"_s);
        qobject_cast<QAction *>(page.remove.first())->trigger();
        if (page.afterDelete)
            page.afterDelete();
        QCOMPARE(env->dialogs.errors(), QStringList());
        QCOMPARE(env->dialogs.lastMessage(), rowGone);
        QCOMPARE(idsOf(page.list()), QList<qint64>{kept});
        QCOMPARE(rowCount(*env, page.table), 1);
    }

    // A filter text longer than its column (the exact size searched) and an amount of more than 18 digits are
    // refused before the search, naming the filter; no database's own words reach the clerk.
    void filterTextsBeyondTheirColumn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("switcher"); // empty: the text alone searches
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("fits");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char *page, const char *switcher, const char *control, int fits, const QString &caption) {
            QTest::newRow(qPrintable(QString::fromLatin1(page) + u' ' + QString::fromLatin1(control)))
                << QString::fromLatin1(page) << QString::fromLatin1(switcher) << QString::fromLatin1(control) << fits
                << caption;
        };
        row("purchases", "CheckBox1", "prj_name", 100, u"نام پروژه"_s);
        row("requests", "CheckBox2", "kala", 100, u"نام کالا"_s);
        row("inquiries", "CheckBox2", "onvan", 250, u"شرح استعلام"_s);
        row("vendors", "CheckBox1", "foroshgah", 140, u"نام فروشگاه"_s);
        row("invoices", "Label14", "foroshgah", 50, u"نام فروشگاه"_s);
        row("invoices", "Label10", "mablagh", 18, u"مبلغ چک"_s);
        row("invoices", "Label5", "hesab_no", 30, u"شماره حساب"_s); // an equal filter
        row("insurance", "CheckBox2", "bimename", 100, u"نوع بيمه نامه"_s);
        row("warehouse", "CheckBox2", "kala_name", 150, u"شرح کالا"_s);
        row("goods", "CheckBox1", "cod", 20, u"کد کالا"_s); // a number column
        row("villages", "CheckBox6", "rosta", 100, u"روستا"_s);
        row("phone book", "", "src", 100, u"نام"_s);
        row("users", "CheckBox3", "nam", 100, u"نام و نام خانوادگي"_s);
    }
    void filterTextsBeyondTheirColumn()
    {
        QFETCH(QString, name);
        QFETCH(QString, switcher);
        QFETCH(QString, control);
        QFETCH(int, fits);
        QFETCH(QString, caption);
        QWidget *form = name == "users"_L1 ? forms::users : listPage(name, 1).form;
        if (switcher.isEmpty())
            ; // the phone book searches as its text changes
        else if (auto *box = form->findChild<QCheckBox *>(switcher))
            box->click();
        else
            Q_EMIT form->findChild<ClickLabel *>(switcher)->clicked();
        const auto search = [&](int length) {
            ui::setControlText(form->findChild<QWidget *>(control), QString(length, u'9'));
            clickSearch(form);
        };
        search(fits);
        QCOMPARE(env->dialogs.messages() + env->dialogs.errors(), QStringList());
        search(100'000);
        QCOMPARE(env->dialogs.messages(), QStringList{u"مقدار «"_s + caption + u"» درست نيست"_s});
        QCOMPARE(env->dialogs.errors(), QStringList());
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
