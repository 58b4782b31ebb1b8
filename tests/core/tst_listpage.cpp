// The machinery every list page shares: filters, the title sort, the search's count and sums, the total labels.
#include "db/querymodel.h"
#include "pagekit/commands.h"
#include "pagekit/filters.h"
#include "pagekit/grid.h"
#include "pagekit/search.h"
#include "persian/MonEdit.h"
#include "support/form_input.h"
#include "support/page_io.h"
#include "support/tempdb.h"
#include "ui/click_label.h"
#include "ui/date_edit.h"
#include "ui/guard.h"
#include "ui/scripted_dialogs.h"
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestListPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;
    ui::ScriptedDialogs *dialogs = nullptr;

    // The names listed by a search with these filter lines, in id order.
    QStringList search(const listpage::FilterLines &lines)
    {
        db::Query list(db->connection(), u"list"_s);
        list.add(u"select coalesce(us, '<null>') as name from people where id<>-1 "_s);
        lines.addTo(list);
        list.add(u" order by id"_s);
        list.open();
        return textsOf(list, u"name"_s);
    }

private Q_SLOTS:
    void initTestCase()
    {
        dialogs = &ui::ScriptedDialogs::install();
        db = std::make_unique<TempDb>();
        db->connection().exec(u"create table people (id integer primary key, us nvarchar(50), dat nvarchar(10), "
                              "lev int, mablagh money, mablagh_kol money)"_s);
        db->connection().exec(u"insert into people (us, dat, lev) values ('ali', '1403/01/05', 1), "
                              "('o''brien', '1403/02/01', 2), ('50%off', '1403/02/15', 1), "
                              "('a_b', '1403/03/01', 3), ('axb', '1402/12/29', 2), (null, '1403/02/10', 1)"_s);
    }

    // A box switches its field on, yellow and focused; a caption turns green; each filter adds its lines while on;
    // a money filter refuses what it would otherwise drop.
    void filtersSwitchAndBindTheirTexts()
    {
        QWidget page;
        auto *box = new QCheckBox(&page);
        auto *us = new QLineEdit(&page);
        auto *other = new QLineEdit(&page);
        auto *caption = new ClickLabel(u"تاريخ"_s, &page);
        auto *from = new TMaskedDateEdit(&page);
        auto *to = new TMaskedDateEdit(&page);
        auto *levCaption = new ClickLabel(u"سطح"_s, &page);
        auto *lev = new QLineEdit(&page);
        auto *add = new QPushButton(&page);
        auto *show = new QCheckBox(&page);
        auto *items = new QListWidget(&page);
        auto *amountBox = new QCheckBox(u"مبلغ"_s, &page);
        auto *amount = new TMonEdit(&page);
        pagekit::FilterTable filters(u"people"_s);
        filters.like(box, us, u"us"_s).range(caption, from, to, u"dat"_s);
        filters.valueList(levCaption, {lev, add, show, items}, u"lev"_s, true);
        filters.amount(amountBox, amount, u"mablagh"_s);
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        other->setFocus();
        QVERIFY(!us->isEnabled() && !from->isEnabled() && items->isHidden() && !add->isEnabled()); // built off
        us->setText(u"ali"_s);
        QCOMPARE(search(filters.lines()).size(), 6); // off: the text plays no part

        box->click();
        QVERIFY(us->isEnabled() && us->hasFocus());
        QCOMPARE(us->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(search(filters.lines()), QStringList{u"ali"_s});
        us->clear(); // switched on with no text: the row whose column is null drops out
        QCOMPARE(search(filters.lines()), (QStringList{u"ali"_s, u"o'brien"_s, u"50%off"_s, u"a_b"_s, u"axb"_s}));
        // Bound, never pasted: a quote is searched as itself, wildcards stay; Persian typing as the register stores.
        us->setText(u"o'b"_s);
        QCOMPARE(search(filters.lines()), QStringList{u"o'brien"_s});
        us->setText(u"a_b"_s);
        QCOMPARE(search(filters.lines()), (QStringList{u"a_b"_s, u"axb"_s}));
        us->setText(u"علی۱"_s);
        db::Query typed(db->connection(), u"typed"_s);
        filters.lines().addTo(typed);
        QCOMPARE(typed.text(), u" and us like ?"_s);
        QCOMPARE(typed.bindings(), QVariantList{u"%علي1%"_s});

        box->click();
        QVERIFY(!us->isEnabled());
        QCOMPARE(us->palette().color(QPalette::Active, QPalette::Base),
                 QApplication::palette(us).color(QPalette::Active, QPalette::Base));

        // Both bounds on and the caption green; inclusive, one untouched leaves its side open, incomplete refused.
        Q_EMIT caption->clicked();
        QVERIFY(from->isEnabled() && to->isEnabled());
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
        from->setStoredText(u"1403/02/01"_s);
        to->setStoredText(u"1403/02/15"_s);
        QCOMPARE(search(filters.lines()), (QStringList{u"o'brien"_s, u"50%off"_s, u"<null>"_s}));
        from->setStoredText(QString());
        QCOMPARE(search(filters.lines()), (QStringList{u"ali"_s, u"o'brien"_s, u"50%off"_s, u"axb"_s, u"<null>"_s}));
        from->setStoredText(u"1403/02/15"_s);
        to->setStoredText(QString());
        QCOMPARE(search(filters.lines()), (QStringList{u"50%off"_s, u"a_b"_s}));
        to->setStoredText(u"1403/02/  "_s);
        QVERIFY(!ui::guarded([&] { filters.lines(); }));
        QVERIFY(dialogs->lastMessage().contains(u"تاريخ"_s) && page.focusWidget() == to);
        Q_EMIT caption->clicked();
        QVERIFY(!from->isEnabled());

        // The value list: shown by its box; switched off, hidden and emptied, the box keeping its tick.
        Q_EMIT levCaption->clicked();
        QVERIFY(lev->isEnabled() && add->isEnabled() && show->isEnabled());
        lev->setText(u"3"_s);
        add->click();
        QCOMPARE(search(filters.lines()), QStringList{u"a_b"_s});
        show->click();
        QVERIFY(items->isVisible());
        Q_EMIT levCaption->clicked();
        QVERIFY(!lev->isEnabled() && !add->isEnabled() && items->isHidden() && !items->count() && show->isChecked());

        // An amount searched as typed; a sign or a decimal point refused by the caption, never dropped.
        db->connection().exec(u"update people set mablagh=5 where us='ali'"_s);
        amountBox->click();
        for (const QString &refused : {u"-5"_s, u"0.5"_s}) {
            amount->clear();
            typeText(amount, refused);
            QVERIFY(!ui::guarded([&] { filters.lines(); }));
            QCOMPARE(dialogs->lastMessage(), u"مقدار «مبلغ» درست نيست"_s);
        }
        amount->setText(u"5"_s);
        QCOMPARE(search(filters.lines()), QStringList{u"ali"_s});
    }

    // A command follows its right (one of no right stays as declared); one on the current row is off, and does
    // nothing, while there is none (a closed list, or a row a refresh no longer finds: the list then has no
    // current row rather than a neighbour's); the grid's double click runs its command only when it may run.
    void commandsFollowTheirRightAndTheCurrentRow()
    {
        using pagekit::Needs;
        using pagekit::Right;
        db->connection().exec(u"create table goods (id integer primary key, name nvarchar(20))"_s);
        db->connection().exec(u"insert into goods (name) values ('a'), ('b')"_s);
        QWidget page;
        db::Query list(db->connection(), u"goods"_s);
        auto *grid = new QTableView(&page);
        const db::QueryModel *model = pagekit::setupGrid(grid, list, {});
        QAction insert, edit, view, close;
        auto *remove = new QPushButton(&page);
        QStringList ran;
        const auto runs = [&ran](const QString &name) { return [&ran, name] { ran << name; }; };
        pagekit::Commands commands(&page, list);
        commands.add(&insert, Right::Insert, runs(u"insert"_s))
            .add(&edit, Right::Edit, runs(u"edit"_s), Needs::CurrentRow)
            .add(remove, Right::Delete, runs(u"delete"_s), Needs::CurrentRow)
            .add(&view, Right::View, runs(u"view"_s))
            .add(&close, Right::None, runs(u"close"_s))
            .onDoubleClick(grid, &edit);
        const auto states = [&] {
            return QList<bool>{insert.isEnabled(), edit.isEnabled(), remove->isEnabled(), view.isEnabled(),
                               close.isEnabled()};
        };
        const auto runEach = [&] {
            ran.clear();
            for (QAction *action : {&insert, &edit, &view, &close})
                action->trigger();
            remove->click();
            Q_EMIT grid->doubleClicked(model->index(0, 1));
            for (const QObject *command : {static_cast<QObject *>(&view), static_cast<QObject *>(&edit)})
                commands.run(command); // what a stray signal or shortcut reaches: the same guard
            return ran;
        };
        QCOMPARE(states(), (QList<bool>{true, false, false, true, true})); // as declared; the list closed
        QCOMPARE(runEach(), (QStringList{u"insert"_s, u"view"_s, u"close"_s, u"view"_s}));

        commands.apply({true, true, true, false});
        QCOMPARE(states(), (QList<bool>{true, false, false, false, true}));
        list.add(u"select * from goods order by id"_s);
        list.open();
        QCOMPARE(states(), (QList<bool>{true, true, true, false, true}));
        QCOMPARE(runEach(), (QStringList{u"insert"_s, u"edit"_s, u"close"_s, u"delete"_s, u"edit"_s, u"edit"_s}));

        db->connection().exec(u"delete from goods where id=1"_s);
        list.refresh();
        QCOMPARE(list.recNo(), 0);
        QCOMPARE(states(), (QList<bool>{true, false, false, false, true}));
        QCOMPARE(runEach(), (QStringList{u"insert"_s, u"close"_s}));
        list.first();
        commands.apply({false, false, false, true});
        QCOMPARE(states(), (QList<bool>{false, false, false, true, true}));
    }

    // Another field starts ascending, even one whose name begins the sorted one's; only its title is bold.
    void titleClickSortsItsFieldAndBoldsItsTitle()
    {
        db::Query list(db->connection(), u"grid"_s);
        list.add(u"select * from people"_s);
        list.open();
        db::QueryModel model(list);
        model.setColumns({{u"us"_s, u"نام"_s, 0}, {u"mablagh"_s, u"مبلغ"_s, 0}, {u"mablagh_kol"_s, u"مبلغ کل"_s, 0}});
        const auto state = [&]() -> QString { // the sort, then each title: "B" bold, "-" regular
            QString titles;
            for (int column = 0; column < 3; ++column)
                titles += model.headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold() ? u'B' : u'-';
            return list.sort() + u' ' + titles;
        };
        QStringList states{state()};
        for (int column : {2, 1, 1, 7}) { // 7: no such column, nothing changes
            listpage::SortGridByTitle(model, column);
            states << state();
        }
        QCOMPARE(states, (QStringList{u" ---"_s, u"mablagh_kol ASC --B"_s, u"mablagh ASC -B-"_s, u"mablagh DESC -B-"_s,
                                      u"mablagh DESC -B-"_s}));
    }

    // A long list in its grid: the scroll bar's end and Ctrl+End reach its true last row while the rest is still to
    // come; the count and sums come through the event loop (empty until then, a sum of nulls the page's empty
    // total); a new search shows the emptied grid at its top at once, under the busy cursor.
    void longListSearchedReachedAndCounted()
    {
        db->connection().exec(u"create table many (id integer primary key, mablagh money, unpaid money)"_s);
        db->connection().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 5000) "
                              u"insert into many (mablagh) select n from r"_s);
        db::Query list(db->connection(), u"list"_s);
        QTableView grid;
        db::QueryModel *model = pagekit::setupGrid(&grid, list, {});
        grid.show();
        QLabel count, sum, none;
        const pagekit::SearchStatements statements{u"select * from many where id<>-1 "_s, {}, {}, &count,
                                                   {{u"mablagh"_s, &sum}, {u"unpaid"_s, &none}}, u"0"_s, {}};
        pagekit::runSearch(list, statements, listpage::FilterLines());
        QVERIFY(list.hasMoreRows() && count.text().isEmpty() && sum.text().isEmpty());
        QScrollBar *bar = grid.verticalScrollBar();
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QVERIFY(!list.hasMoreRows() && bar->value() == bar->maximum());
        QCOMPARE(grid.rowAt(grid.viewport()->height() - 1) + 1, 5000);
        pagekit::runSearch(list, statements, listpage::FilterLines());
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid.currentIndex().row() + 1, 5000);
        QCOMPARE(list.recNo(), 5000);
        QTRY_COMPARE(count.text() + u'|' + sum.text() + u'|' + none.text(), u"5000|12,502,500|0"_s);

        // Emptied: painted so, at the top, the user waiting.
        struct Emptied : QObject {
            bool painted = false;
            bool eventFilter(QObject *, QEvent *event) override
            {
                painted = painted || event->type() == QEvent::Paint;
                return false;
            }
        } emptied;
        std::optional<std::pair<int, bool>> shown; // the scroll position, whether the user waits
        QObject::connect(model, &QAbstractItemModel::modelReset, &grid, [&] {
            if (model->rowCount() == 0 && !shown)
                shown = {grid.verticalScrollBar()->value(), QGuiApplication::overrideCursor() && emptied.painted};
        });
        QVERIFY(grid.verticalScrollBar()->value() > 0);
        grid.viewport()->installEventFilter(&emptied);
        pagekit::runSearch(list, statements, listpage::FilterLines().always(u" and id <= ?"_s, {3}));
        QCOMPARE(shown, std::optional(std::pair(0, true)));
        QTRY_COMPARE(count.text() + u'|' + sum.text(), u"3|6"_s);
    }

    // The total label's digits grouped once, the sign in front, a driver's fraction dropped.
    void totalLabelGroupsItsDigits()
    {
        const QList<std::pair<QString, QString>> cases{{u"1250000.0000"_s, u"1,250,000"_s},
                                                       {u"-1234567"_s, u"-1,234,567"_s},
                                                       {u"999999999999999"_s, u"999,999,999,999,999"_s}};
        for (const auto &[text, grouped] : cases) // a second click changes nothing
            QCOMPARE(listpage::groupedTotal(listpage::groupedTotal(text)), grouped);
    }
};

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
