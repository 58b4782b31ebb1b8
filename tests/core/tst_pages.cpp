// What the page kit wires on every list page and entry form, proved once over a table of the pages.
#include "pagekit/commands.h"
#include "persian/Dates.h"
#include "db/querymodel.h"
#include "main_u.h"
#include "pagekit/picture_store.h"
#include "page_rights.h"
#include "support/attachment_files.h"
#include "support/form_input.h"
#include "support/page_test.h"
#include "ui/click_label.h"
#include "ui/control_text.h"
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

const int viewer = 2;

// Opener, rights key (empty: none checked), page, table, a text column it sorts, entry form, double click edits.
const struct PageRow {
    const char *name, *command, *key, *formName, *table, *field, *entryName;
    bool doubleClickEdits;
} pageRows[] = {
    {"purchases", "N1", "tavrelkol", "tavrelkol_src", "tavrelkol", "mozo", "tavrelkol_ins", true},
    {"requests", "N7", "darkhast", "darkhast_src", "darkhast", "kala", "darkhast_ins", true},
    {"inquiries", "N16", "estelam", "estelam_src", "estelam", "onvan", "estelam_ins", true},
    {"vendors", "N11", "foroshande", "foroshande_src", "foroshandegan", "foroshgah", "foroshande_ins", false},
    {"invoices", "N12", "faktor", "chek_src", "chek", "mozo", "chek_ins", false},
    {"insurance", "N13", "bime", "bime_src", "bime", "bimename", "bime_ins", true},
    {"warehouse", "N14", "anbar", "anbar_src", "anbar", "kala_cmt", "anbar_ins", true},
    {"goods", "N15", "kala", "kala_src", "kala", "cmt", "kala_ins", true},
    {"villages", "N18", "abadiha", "abadiha", "abadiha", "rosta", "abadiha_ins", true},
    {"users", "N3", "karbaran", "users", "users", "nam", "users_ins", false},
    {"phone book", "N10", "phone", "phone", "shakhsi", "name", nullptr, false},
    {"settings", "N9", "setting", "setting", "setting", "cmt", nullptr, false},
    {"messages", "N17", "", "payam", "payamha", "mozo", nullptr, false},
    {"reference files", "N4", "zamaem", "zamaem", "zamaem", "ramz", nullptr, false},
};

using pagekit::Right;

// A list page as the kit sees it.
struct ListPage : PageRow {
    QAction *opener = nullptr;
    QWidget *form = nullptr, *entry = nullptr;
    QVariantMap row{};                     // what else a row needs to be listed
    std::function<void()> search{};        // lists the rows after the opening
    std::function<void()> afterDelete{};   // what the delete command leaves to do (the invoice's entry form)
    QObject *remove = nullptr;             // the delete command

    QTableView *grid() const { return form->findChild<QTableView *>(u"DBGrid1"_s); }
    db::QueryModel &model() const { return *qobject_cast<db::QueryModel *>(grid()->model()); }
    db::Query &list() const { return model().query(); }
    pagekit::Commands &commands() const { return *static_cast<pagekit::Page *>(form)->commands(); }
    // The commands declared with the right.
    QList<QObject *> needing(Right right) const
    {
        QList<QObject *> found;
        for (QObject *command : commands().declared())
            if (commands().rightOf(command) == right)
                found << command;
        return found;
    }
    QObject *first(Right right) const { return needing(right).value(0); }
    QList<QObject *> writing() const { return needing(Right::Insert) + needing(Right::Edit) + needing(Right::Delete); }
};

void clickSearch(QWidget *form)
{
    for (const QString &name : {u"src_btn"_s, u"BitBtn1"_s})
        if (auto *button = form->findChild<QAbstractButton *>(name))
            return button->click();
}

void trigger(QObject *command) { qobject_cast<QAction *>(command)->trigger(); }

ListPage listPage(const QString &name, int userId)
{
    ListPage p{*std::find_if(std::begin(pageRows), std::end(pageRows), [&](auto &r) { return name == r.name; })};
    p.opener = forms::main_->findChild<QAction *>(p.command);
    p.form = formNamed(p.formName);
    p.entry = p.entryName ? formNamed(p.entryName) : nullptr;
    p.search = [form = p.form] { clickSearch(form); };
    p.remove = p.first(Right::Delete);
    if (name == "invoices"_L1) {
        p.row = {{u"salemali"_s, fiscalYear()}}; // the year filter is on from the start
        p.afterDelete = [entry = p.entry] { entry->findChild<QAbstractButton *>(u"del_btn"_s)->click(); };
    } else if (name == "messages"_L1) {
        p.row = {{u"rec_prs_id"_s, userId}};
        p.remove = p.form->findChild<QAction *>(u"N3"_s); // every user's command, with no right
    } else if (name == "reference files"_L1) {
        p.row = {{u"cmt"_s, u"سند"_s}};
        p.search = [form = p.form] { typeText(form->findChild<QComboBox *>(u"Combo_type"_s)->lineEdit(), u"سند"_s); };
    }
    if (name == "settings"_L1) {
        p.row = {{u"component"_s, u"واحد"_s}, {u"user_id"_s, userId}};
        p.search = [form = p.form] { typeText(form->findChild<QComboBox *>(u"component"_s)->lineEdit(), u"واحد"_s); };
    }
    return p;
}

// The listing page's command, the table and owner column, whether an add narrows the grid to its description.
const struct {
    QString page, command, table, parent;
    bool narrows;
} attachmentRows[] = {
    {u"purchases"_s, u"N6"_s, u"tavrelkol_pic"_s, u"tavrelkol_id"_s, true},
    {u"inquiries"_s, u"N6"_s, u"estelam_pic"_s, u"estelam_id"_s, false},
    {u"invoices"_s, u"N14"_s, u"faktor_pic"_s, u"faktor_id"_s, true},
};

// A filter's switch (none: its text alone searches), its control, the longest text it searches, its caption.
const struct {
    QString page, switcher, control;
    int fits;
    QString caption;
} filterRows[] = {
    {u"purchases"_s, u"CheckBox1"_s, u"prj_name"_s, 100, u"نام پروژه"_s},
    {u"requests"_s, u"CheckBox2"_s, u"kala"_s, 100, u"نام کالا"_s},
    {u"inquiries"_s, u"CheckBox2"_s, u"onvan"_s, 250, u"شرح استعلام"_s},
    {u"vendors"_s, u"CheckBox1"_s, u"foroshgah"_s, 140, u"نام فروشگاه"_s},
    {u"invoices"_s, u"Label14"_s, u"foroshgah"_s, 50, u"نام فروشگاه"_s},
    {u"invoices"_s, u"Label10"_s, u"mablagh"_s, 18, u"مبلغ چک"_s},
    {u"invoices"_s, u"Label5"_s, u"hesab_no"_s, 30, u"شماره حساب"_s}, // an equal filter
    {u"insurance"_s, u"CheckBox2"_s, u"bimename"_s, 100, u"نوع بيمه نامه"_s},
    {u"warehouse"_s, u"CheckBox2"_s, u"kala_name"_s, 150, u"شرح کالا"_s},
    {u"goods"_s, u"CheckBox1"_s, u"cod"_s, 20, u"کد کالا"_s}, // a number column
    {u"villages"_s, u"CheckBox6"_s, u"rosta"_s, 100, u"روستا"_s},
    {u"phone book"_s, QString(), u"src"_s, 100, u"نام"_s},
    {u"users"_s, u"CheckBox3"_s, u"nam"_s, 100, u"نام و نام خانوادگي"_s},
};

// An entry form's text column and its size, another field the clerk changes, what the form's checks need; where
// the year is a text column, its field and the refusal of a repeat.
struct EntryRow {
    QString page, column;
    int size;
    QString changed;
    QVariantMap stored;
    QString year = {}, repeated = {};
};
const QList<EntryRow> &entryRows()
{
    const QString repeatedRow = u"اين مشخصات تكراري است و قبلا ثبت شده است"_s;
    static const QList<EntryRow> rows{
        {u"purchases"_s, u"cmt"_s, 150, u"faktor_no"_s, {{u"sal"_s, fiscalYear()}, {u"dabir_no"_s, 3}}},
        {u"vendors"_s, u"cmt"_s, 250, u"nam"_s, {{u"foroshgah"_s, u"shop"_s}}},
        {u"requests"_s, u"takhliye"_s, 150, u"cnt"_s, {}, u"sal"_s, repeatedRow},
        {u"inquiries"_s, u"onvan"_s, 250, u"meghdar"_s, {}, u"sal"_s, u"خطا! شماره رديف در اين سال تکراريست"_s},
        {u"invoices"_s, u"adr"_s, 150, u"serial"_s, {{u"variz"_s, 1}, {u"mablagh"_s, 1}}, u"salemali"_s, repeatedRow},
        {u"goods"_s, u"cmt"_s, 150, u"vahed"_s, {{u"anbar"_s, u"w"_s}, {u"cod"_s, 1}}},
        {u"insurance"_s, u"bimekonande"_s, 150, u"bime_no"_s, {}},
        {u"villages"_s, u"rosta"_s, 100, u"dehestan"_s, {}},
        {u"warehouse"_s, u"cmt"_s, 250, u"mabda"_s, {{u"nam"_s, u"w"_s}, {u"kala_cod"_s, 1}, {u"meghdar"_s, 1}}},
        {u"users"_s, u"nam"_s, 100, u"mobile"_s, {{u"us"_s, u"sara"_s}, {u"ps"_s, u"p"_s}}},
    };
    return rows;
}

// One test row per row of the table, fetched as "at".
template <typename Rows> void tableRows(const Rows &rows)
{
    QTest::addColumn<int>("at");
    for (int at = 0; at < int(std::size(rows)); ++at)
        QTest::addRow("%s %d", qPrintable(rows[at].page), at) << at;
}

void pageNames(const QStringList &except)
{
    QTest::addColumn<QString>("name");
    for (const PageRow &row : pageRows)
        if (!except.contains(QLatin1StringView(row.name)))
            QTest::newRow(row.name) << QString::fromLatin1(row.name);
}

bool allEnabled(const QList<QObject *> &commands, bool enabled)
{
    return std::ranges::all_of(commands, [&](QObject *command) { return command->property("enabled") == enabled; });
}

// Every row of every table of the database, as text: what a command that changes nothing leaves as it was.
QStringList everyRow()
{
    QStringList rows;
    for (const QString &table : rowTexts(u"select name from sqlite_master where type='table' order by name"_s))
        rows << table << rowTexts(u"select * from "_s + table);
    return rows;
}

// The rights the commands need, by their place in the page's menu (the places the rights table names), and the
// buttons that need the insert right: I insert, E edit, D delete, V view, - none.
const struct {
    QString page, menu, rights;
    QStringList insertButtons;
} menuRights[] = {
    {u"purchases"_s, u"MainMenu1"_s, u"IEDVVV-"_s, {}},
    {u"requests"_s, u"MainMenu1"_s, u"IEDVVV-"_s, {}},
    {u"vendors"_s, u"MainMenu1"_s, u"IEDVVI-"_s, {}}, // the copy from purchases adds vendors
    {u"invoices"_s, u"MainMenu1"_s, u"IEDVVV-"_s, {}},
    {u"insurance"_s, u"MainMenu1"_s, u"IEDVVV-"_s, {}},
    {u"inquiries"_s, u"MainMenu1"_s, u"IED---"_s, {}},
    {u"warehouse"_s, u"MainMenu1"_s, u"IED--"_s, {}},
    {u"goods"_s, u"MainMenu1"_s, u"IED--"_s, {}},
    {u"users"_s, u"MainMenu1"_s, u"IED--"_s, {u"ins_btn2"_s, u"ins_btn"_s, u"SpeedButton2"_s, u"SpeedButton3"_s}},
    {u"villages"_s, u"PopupMenu1"_s, u"IED"_s, {}},
    {u"phone book"_s, u"PopupMenu1"_s, u"D"_s, {u"ins_btn"_s}},
    {u"settings"_s, u"PopupMenu1"_s, u"D"_s, {u"ins_btn"_s}},
    {u"reference files"_s, u"PopupMenu1"_s, u"D"_s, {u"ins_btn"_s}},
    {u"messages"_s, u"PopupMenu1"_s, u"------"_s, {}},
};

// The letter the table above writes for a right, in the order the rights are declared (None, View, Insert...).
char rightLetter(Right right) { return "-VIED"[int(right)]; }

int modalsShown(const ui::ScriptedDialogs &dialogs)
{
    return int(std::ranges::count_if(dialogs.shown, [](const auto &shown) { return shown.kind == "modal"_L1; }));
}

} // namespace

class TestPages : public PageTest {
    Q_OBJECT

    // Opens the page by its main-window command and lists its rows; false when the page was refused.
    bool open(const ListPage &page)
    {
        const int before = modalsShown(env->dialogs);
        page.opener->trigger();
        if (modalsShown(env->dialogs) == before)
            return false;
        if (page.search)
            page.search();
        return true;
    }
    void openAsAdministrator(const ListPage &page)
    {
        if (*page.key)
            env->setRights(1, page.key, {true, true, true, true});
        QVERIFY(open(page));
    }
    qint64 addListed(const ListPage &page, const QVariantMap &columns)
    {
        QVariantMap row = page.row;
        row.insert(columns);
        return addRow(*env, page.table, row);
    }
    qint64 addListed(const ListPage &page, const QString &text) { return addListed(page, {{page.field, text}}); }

private slots:
    // No view right: refused. A viewer: every command that writes is off, and every command the page declares, run as
    // the clerk runs it (and a double click), changes no row of any table. The edit right: it edits.
    void rightsHoldOnEveryRoad_data() { pageNames({u"messages"_s}); }
    void rightsHoldOnEveryRoad()
    {
        QFETCH(QString, name);
        env->signInAs(viewer, u"viewer"_s);
        const ListPage page = listPage(name, viewer);
        const qint64 id = addListed(page, u"a"_s);
        // Rows the commands that rewrite a register would change: an invoice of a two-digit year (the year repair)
        // and the purchase of a shop that is no vendor yet (the vendors' copy from purchases).
        addRow(*env, u"chek"_s, {{u"chek_dat"_s, u"03/01/05"_s}, {u"salemali"_s, fiscalYear()}});
        addRow(*env, u"tavrelkol"_s, {{u"foroshande"_s, u"shop"_s}});

        env->setRights(viewer, page.key, {true, true, true, false});
        QVERIFY(!open(page));
        QCOMPARE(env->dialogs.lastMessage(), rights::deniedText);

        env->setRights(viewer, page.key, {false, false, false, true});
        QVERIFY(open(page));
        QVERIFY(page.list().locate(u"id"_s, id));
        QVERIFY(allEnabled(page.writing(), false));
        const auto doubleClick = [&] {
            env->dialogs.reset();
            Q_EMIT page.grid()->doubleClicked(page.model().index(page.list().recNo() - 1, 1));
            return modalsShown(env->dialogs);
        };
        QCOMPARE(doubleClick(), 0);
        const QStringList stored = everyRow();
        for (QObject *command : page.commands().declared()) {
            if (auto *action = qobject_cast<QAction *>(command))
                action->trigger();
            else
                qobject_cast<QAbstractButton *>(command)->click();
            page.list().locate(u"id"_s, id); // a command may have listed other rows
        }
        QCOMPARE(env->dialogs.errors(), QStringList());
        QCOMPARE(everyRow(), stored);

        env->setRights(viewer, page.key, {false, true, false, true});
        QVERIFY(open(page));
        QVERIFY(allEnabled(page.needing(Right::Edit), true));
        QCOMPARE(doubleClick(), page.doubleClickEdits ? 1 : 0);
        if (page.doubleClickEdits)
            QCOMPARE(env->dialogs.shown.last().text, page.entry->objectName());
    }

    // The rights table names commands by their place in the page's menu: each place needs the right the table gives
    // it; the page's buttons of the insert right need that right too.
    void commandsNeedTheRightOfTheirPlace_data() { tableRows(menuRights); }
    void commandsNeedTheRightOfTheirPlace()
    {
        QFETCH(int, at);
        const auto &[name, menu, expected, insertButtons] = menuRights[at];
        const ListPage page = listPage(name, 1);
        QString rights;
        for (const QAction *item : page.form->findChild<QWidget *>(menu)->actions())
            rights += QLatin1Char(rightLetter(page.commands().rightOf(item)));
        QCOMPARE(rights, expected);
        for (const QString &button : insertButtons)
            QCOMPARE(page.commands().rightOf(page.form->findChild<QAbstractButton *>(button)), Right::Insert);
    }

    // Attachments follow the listing page's rights: a viewer lists and saves; insert adds, delete deletes.
    void attachmentsFollowTheListingPagesRights_data() { tableRows(attachmentRows); }
    void attachmentsFollowTheListingPagesRights()
    {
        QFETCH(int, at);
        const auto &[name, command, table, parent, narrows] = attachmentRows[at];
        env->signInAs(viewer, u"viewer"_s);
        const ListPage page = listPage(name, viewer);
        env->setRights(viewer, page.key, {false, false, false, true});
        const qint64 record = addListed(page, u"a"_s);
        addListed(page, u"b"_s);
        addRow(*env, table,
               {{parent, record}, {u"cmt"_s, u"نامه"_s}, {u"pictype"_s, u".txt"_s}, {u"pic"_s, QByteArray("bytes")}});
        addRow(*env, table, {{parent, record + 1}, {u"cmt"_s, u"other"_s}});

        auto &form = *static_cast<attachments::PictureStore *>(formNamed(table));
        auto *description = form.findChild<QComboBox *>(u"cmt"_s);
        auto *add = form.findChild<QAbstractButton *>(u"image1_btn"_s);
        auto *remove = form.findChild<QAction *>(u"N1"_s);
        const auto listed = [&] { return textsOf(form.list(), u"cmt"_s); };
        const auto openFiles = [&] {
            QVERIFY(open(page));
            QVERIFY(page.list().locate(u"id"_s, record));
            runCommand(page.form, command);
        };

        openFiles();
        QCOMPARE(env->dialogs.shown.last().text, table);
        QCOMPARE(listed(), QStringList{u"نامه"_s});
        QVERIFY(!add->isEnabled() && !remove->isEnabled());
        remove->trigger();
        env->dialogs.files.enqueue(env->folder() + u"/copy"_s);
        form.DBGrid1CellClick();
        QCOMPARE(env->openedFiles, QStringList{env->folder() + u"/copy.txt"_s});

        env->setRights(viewer, page.key, {true, false, true, true});
        openFiles();
        QVERIFY(add->isEnabled() && remove->isEnabled());
        addFile(*env, description, add, u"قرارداد"_s, writeFile(env->folder() + u"/c.pdf"_s, "pdf"));
        QCOMPARE(rowTexts(u"select "_s + parent + u" from "_s + table + u" where cmt='قرارداد'"_s),
                 QStringList{QString::number(record)});
        QCOMPARE(listed(), (narrows ? QStringList{u"قرارداد"_s} : QStringList{u"نامه"_s, u"قرارداد"_s}));
        remove->trigger();
        QCOMPARE(rowCount(*env, table), 2);

        // A file another user deleted meanwhile: told plainly, and the grid lets it go.
        openFiles();
        QCOMPARE(listed().size(), 1);
        otherWorkstation(*env)->exec(u"delete from "_s + table + u" where id=?"_s, {form.list()[u"id"_s].value()});
        env->dialogs.reset();
        remove->trigger();
        QCOMPARE(env->dialogs.errors(), QStringList());
        QCOMPARE(env->dialogs.messages(), QStringList{db::message::rowDeleted});
        QCOMPARE(listed(), QStringList());
    }

    // A title click sorts its column ascending, the next click on it descending.
    void titleSortsBothWays_data() { pageNames({u"insurance"_s, u"users"_s}); } // insurance keeps the server's order
    void titleSortsBothWays()
    {
        QFETCH(QString, name);
        const ListPage page = listPage(name, 1);
        for (const QString &text : {u"b"_s, u"c"_s, u"a"_s})
            addListed(page, text);
        openAsAdministrator(page);
        QHeaderView *titles = page.grid()->horizontalHeader();
        QVERIFY(titles->sectionsClickable());
        const int column = page.model().columnOfField(page.field);
        Q_EMIT titles->sectionClicked(column);
        QCOMPARE(textsOf(page.list(), page.field), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        Q_EMIT titles->sectionClicked(column);
        QCOMPARE(textsOf(page.list(), page.field), (QStringList{u"c"_s, u"b"_s, u"a"_s}));
    }

    // Deleting a row another user changed or deleted since it was read: refused with the message an edit gives,
    // nothing deleted, the list read again, and no "حذف شد".
    void deleteOfARowChangedOrGoneMeanwhile_data() { pageNames({u"settings"_s, u"users"_s}); } // by value; none
    void deleteOfARowChangedOrGoneMeanwhile()
    {
        QFETCH(QString, name);
        const ListPage page = listPage(name, 1);
        addSetting(*env, u"رمز حذف"_s, u"pw"_s); // the inquiries' delete password
        const qint64 changed = addListed(page, u"changed"_s), gone = addListed(page, u"gone"_s),
                     kept = addListed(page, u"kept"_s);
        openAsAdministrator(page);
        const auto removeChangedMeanwhile = [&](qint64 id, const QString &change) {
            QVERIFY(page.list().locate(u"id"_s, id));
            otherWorkstation(*env)->exec(change, {id});
            env->dialogs.reset();
            env->dialogs.answers.enqueue(ui::Answer::Yes);
            env->dialogs.inputs.enqueue(u"pw"_s);
            trigger(page.remove);
            if (page.afterDelete)
                page.afterDelete();
            QCOMPARE(env->dialogs.errors(), QStringList());
        };
        removeChangedMeanwhile(changed, u"update "_s + page.table + u" set "_s + page.field + u"='other' where id=?"_s);
        QCOMPARE(env->dialogs.lastMessage(), db::message::rowChanged);
        removeChangedMeanwhile(gone, u"delete from "_s + page.table + u" where id=?"_s);
        QCOMPARE(env->dialogs.lastMessage(), db::message::rowDeleted);
        QVERIFY(!env->dialogs.messages().contains(u"حذف شد"_s));
        QList<qint64> listed = idsOf(page.list());
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, (QList<qint64>{changed, kept}));
        QVERIFY(textsOf(page.list(), page.field).contains(u"other"_s)); // the change read again
    }

    // A filter text longer than its column, or an amount beyond 18 digits, is refused naming the filter.
    void filterTextsBeyondTheirColumn_data() { tableRows(filterRows); }
    void filterTextsBeyondTheirColumn()
    {
        QFETCH(int, at);
        const auto &[name, switcher, control, fits, caption] = filterRows[at];
        QWidget *form = listPage(name, 1).form;
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
        search(fits + 1);
        QCOMPARE(env->dialogs.messages() + env->dialogs.errors(),
                 QStringList{u"مقدار «"_s + caption + u"» درست نيست"_s});
    }

    // A stored text longer than its column is shown and saved whole by an edit; a new row is held to the column.
    // An emptied text year is stored as its field shows it, four blanks, so a second press is a repeat.
    void entryFieldsKeepTheirColumnsAndYears_data() { tableRows(entryRows()); }
    void entryFieldsKeepTheirColumnsAndYears()
    {
        QFETCH(int, at);
        const auto &[name, column, size, changed, stored, year, repeated] = entryRows().at(at);
        const ListPage page = listPage(name, 1);
        QWidget *field = page.entry->findChild<QWidget *>(column);
        auto *combo = qobject_cast<QComboBox *>(field);
        QLineEdit *edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(field);
        QVERIFY(edit);
        const QString longText(size + 60, u'ث');
        QVariantMap row = stored;
        row.insert(column, longText);
        const qint64 id = addListed(page, row);
        openAsAdministrator(page);
        QVERIFY(page.list().locate(u"id"_s, id));
        trigger(page.first(Right::Edit));
        QCOMPARE(edit->text(), longText);
        ui::setControlText(page.entry->findChild<QWidget *>(changed), u"12"_s);
        env->dialogs.reset();
        page.entry->findChild<QAbstractButton *>(u"edit_btn"_s)->click();
        QCOMPARE(env->dialogs.errors(), QStringList());
        QCOMPARE(rowTexts(u"select "_s + column + u","_s + changed + u" from "_s + page.table + u" where id=?"_s, {id}),
                 QStringList{longText + u"|12"_s});
        trigger(page.first(Right::Insert)); // a new row is held to the column
        QCOMPARE(edit->maxLength(), size);
        if (year.isEmpty())
            return;
        ui::setControlText(page.entry->findChild<QWidget *>(year), QString());
        for (int press = 0; press < 2; ++press)
            page.entry->findChild<QAbstractButton *>(u"ins_btn"_s)->click();
        QCOMPARE(env->dialogs.lastMessage(), repeated);
        QCOMPARE(rowTexts(u"select "_s + year + u" from "_s + page.table + u" where id<>?"_s, {id}),
                 QStringList{u"    "_s});
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
