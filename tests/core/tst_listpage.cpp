// The machinery every list page shares: filter switches, the search's filter lines against a real database,
// the title-click sort, the search's count and sums, and the grouping of a total label. (The delete question: the purchases page's test; the
// kit on every page, with filter texts beyond their column: the pages' test.)
#include "db/query.h"
#include "db/querymodel.h"
#include "pagekit/filters.h"
#include "pagekit/grid.h"
#include "pagekit/search.h"
#include "pagekit/listpage.h"
#include "ui/click_label.h"
#include "ui/refusal.h"
#include "support/tempdb.h"
#include "ui/control_text.h"
#include "ui/date_edit.h"
#include "ui/scripted_dialogs.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestListPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;

    // Runs the count and the list statements of a search with the same filter lines, as a page does, and
    // returns the listed names; the count must equal the rows listed.
    QStringList search(const listpage::FilterLines &lines)
    {
        db::Query count(db->connection(), u"count"_s);
        count.add(u"select count(*) as c from people where id<>-1 "_s);
        lines.addTo(count);
        count.open();
        db::Query list(db->connection(), u"list"_s);
        list.add(u"select * from people where id<>-1 "_s);
        lines.addTo(list);
        list.add(u" order by id"_s);
        list.open();
        QStringList names;
        for (list.first(); !list.eof(); list.next())
            names << (list[u"us"_s].isNull() ? u"<null>"_s : list[u"us"_s].asString());
        [&] { QCOMPARE(count[u"c"_s].asInteger(), qint64(list.recordCount())); }();
        return names;
    }

private Q_SLOTS:
    void initTestCase()
    {
        ui::ScriptedDialogs::install();
        db = std::make_unique<TempDb>();
        db->connection().exec(u"create table people (id integer primary key, us nvarchar(50), dat nvarchar(10), "
                            "lev int, mablagh money, mablagh_kol money)"_s);
        const QVariantList rows[] = {
            {u"ali"_s, u"1403/01/05"_s, 1, 300, 900},    {u"o'brien"_s, u"1403/02/01"_s, 2, 100, 1200},
            {u"50%off"_s, u"1403/02/15"_s, 1, 200, 200}, {u"a_b"_s, u"1403/03/01"_s, 3, 100, 500},
            {u"axb"_s, u"1402/12/29"_s, 2, 50, 700},     {QVariant(), u"1403/02/10"_s, 1, 400, 100},
        };
        for (const QVariantList &row : rows)
            db->connection().exec(u"insert into people (us, dat, lev, mablagh, mablagh_kol) values (?,?,?,?,?)"_s, row);
    }

    void checkBoxFilterSwitchesPaintsFocusesAndBindsItsText()
    {
        QWidget page;
        auto *box = new QCheckBox(&page);
        auto *us = new QLineEdit(&page);
        auto *other = new QLineEdit(&page);
        pagekit::FilterTable filters(u"people"_s);
        filters.like(box, us, u"us"_s);
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        other->setFocus();
        QVERIFY(!us->isEnabled()); // built off
        us->setText(u"ali"_s);
        QCOMPARE(search(filters.lines()).size(), 6); // off: the text plays no part

        box->click();
        QVERIFY(us->isEnabled() && us->hasFocus());
        QCOMPARE(us->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(search(filters.lines()), QStringList{u"ali"_s});
        // Switched on with no text: the row whose column is null drops out.
        us->clear();
        QCOMPARE(search(filters.lines()), (QStringList{u"ali"_s, u"o'brien"_s, u"50%off"_s, u"a_b"_s, u"axb"_s}));

        // The text is bound, never pasted into the statement: a quote is searched as itself, wildcards stay.
        us->setText(u"o'b"_s);
        QCOMPARE(search(filters.lines()), QStringList{u"o'brien"_s});
        db::Query q(db->connection(), u"q"_s);
        filters.lines().addTo(q);
        QCOMPARE(q.text(), u" and us like ?"_s);
        us->setText(u"a_b"_s);
        QCOMPARE(search(filters.lines()), (QStringList{u"a_b"_s, u"axb"_s}));
        // A Persian keyboard types the Persian yeh and digits; the register stores the Arabic yeh and 0-9.
        us->setText(u"علی۱"_s);
        db::Query typed(db->connection(), u"typed"_s);
        filters.lines().addTo(typed);
        QCOMPARE(typed.bindings(), QVariantList{u"%علي1%"_s});

        box->click();
        QVERIFY(!us->isEnabled());
        QCOMPARE(us->palette().color(QPalette::Active, QPalette::Base),
                 QApplication::palette(us).color(QPalette::Active, QPalette::Base));
    }

    void captionRangeAndValueListFilters()
    {
        QWidget page;
        auto *caption = new ClickLabel(u"تاريخ"_s, &page);
        auto *from = new TMaskedDateEdit(&page);
        auto *to = new TMaskedDateEdit(&page);
        auto *levCaption = new ClickLabel(u"سطح"_s, &page);
        auto *lev = new QLineEdit(&page);
        auto *add = new QPushButton(&page);
        auto *show = new QCheckBox(&page);
        auto *items = new QListWidget(&page);
        pagekit::FilterTable filters(u"people"_s);
        filters.range(caption, from, to, u"dat"_s).valueList(levCaption, {lev, add, show, items}, u"lev"_s, true);
        page.show();
        QVERIFY(items->isHidden() && !add->isEnabled());

        // A caption click turns both bounds on and its caption green; the bounds are inclusive.
        Q_EMIT caption->clicked();
        QVERIFY(from->isEnabled() && to->isEnabled());
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
        from->setStoredText(u"1403/02/01"_s);
        to->setStoredText(u"1403/02/15"_s);
        QCOMPARE(search(filters.lines()), (QStringList{u"o'brien"_s, u"50%off"_s, QStringLiteral("<null>")}));
        // A bound left untouched leaves its side open.
        from->setStoredText(QString());
        QCOMPARE(search(filters.lines()), (QStringList{u"ali"_s, u"o'brien"_s, u"50%off"_s, u"axb"_s, u"<null>"_s}));
        from->setStoredText(u"1403/02/15"_s);
        to->setStoredText(QString());
        QCOMPARE(search(filters.lines()), (QStringList{u"50%off"_s, u"a_b"_s}));
        // An incomplete bound is refused by the filter's name, on its field; nothing is searched. (Which dates
        // are impossible: the entry form's date check in the purchase entry test.)
        to->setStoredText(u"1403/02/  "_s);
        try {
            filters.lines();
            QFAIL("an incomplete bound was searched");
        } catch (const ui::Refusal &refusal) {
            QVERIFY(refusal.text().contains(u"تاريخ"_s));
            QCOMPARE(refusal.field(), to);
        }
        Q_EMIT caption->clicked();
        QVERIFY(!from->isEnabled());

        // The value list switched by its caption: its controls on, the list shown by the show box; switched
        // off, the list hidden and emptied, the show box keeping its tick. (What it searches: the requests
        // page's test.)
        Q_EMIT levCaption->clicked();
        QVERIFY(lev->isEnabled() && add->isEnabled() && show->isEnabled());
        lev->setText(u"3"_s);
        add->click();
        QCOMPARE(search(filters.lines()), QStringList{u"a_b"_s});
        show->click();
        QVERIFY(items->isVisible());
        Q_EMIT levCaption->clicked();
        QVERIFY(!lev->isEnabled() && !add->isEnabled() && items->isHidden() && items->count() == 0);
        QVERIFY(show->isChecked());
    }

    // The title click toggles its field's sort (the sort itself: tst_query) and bolds only that title.
    void titleClickTogglesTheSortAndBoldsTheTitle()
    {
        db::Query list(db->connection(), u"grid"_s);
        list.add(u"select * from people where id<>-1 "_s);
        list.open();
        db::QueryModel model(list);
        model.setColumns({{u"us"_s, u"نام"_s, 0}, {u"mablagh"_s, u"مبلغ"_s, 0}, {u"mablagh_kol"_s, u"مبلغ کل"_s, 0}});
        auto bold = [&](int column) {
            return model.headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
        };
        QVERIFY(!bold(0) && !bold(1) && !bold(2)); // titles are regular weight
        listpage::SortGridByTitle(model, 2);  // the first click on the page
        QCOMPARE(list.sort(), u"mablagh_kol ASC"_s);
        QVERIFY(bold(2) && !bold(0) && !bold(1));

        listpage::SortGridByTitle(model, 2);
        QCOMPARE(list.sort(), u"mablagh_kol DESC"_s);

        // Another field starts ascending, even when its name begins the sorted one's.
        listpage::SortGridByTitle(model, 1);
        QCOMPARE(list.sort(), u"mablagh ASC"_s);
        QVERIFY(bold(1) && !bold(2));
        listpage::SortGridByTitle(model, 1);
        QCOMPARE(list.sort(), u"mablagh DESC"_s);

        listpage::SortGridByTitle(model, 7); // no such column: nothing changes
        QCOMPARE(list.sort(), u"mablagh DESC"_s);
        QVERIFY(bold(1));
    }

    // The count and sums are the list's own: at once for a short list; for a long one the labels stay empty
    // until its rows are counted, which goes on while its grid is shown. A sum over nulls alone shows the
    // page's empty total, as the database's sum is null.
    void searchTotalsComeFromTheList()
    {
        db->connection().exec(u"create table many (id integer primary key, mablagh money, unpaid money)"_s);
        db->connection().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 3000) "
                              u"insert into many (mablagh) select n from r"_s);
        db::Query list(db->connection(), u"list"_s);
        QTableView grid;
        pagekit::setupGrid(&grid, list, {});
        QLabel count, sum, none;
        pagekit::SearchStatements statements;
        statements.listHead = u"select * from many where id<>-1 "_s;
        statements.count = &count;
        statements.sums = {{u"mablagh"_s, &sum}, {u"unpaid"_s, &none}};
        statements.emptyTotal = u"0"_s;
        pagekit::runSearch(list, statements, listpage::FilterLines());
        QVERIFY(count.text().isEmpty() && sum.text().isEmpty());
        grid.show();
        QTRY_COMPARE(count.text(), u"3000"_s);
        QCOMPARE(sum.text(), u"4,501,500"_s);
        QCOMPARE(none.text(), u"0"_s);
        pagekit::runSearch(list, statements, listpage::FilterLines().always(u" and id <= ?"_s, {3}));
        QCOMPARE(count.text(), u"3"_s);
        QCOMPARE(sum.text(), u"6"_s);
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
