// The machinery every list page shares: filter switches, the search's filter lines against a real database,
// the title-click sort, the delete confirmation and the grouping of a total label.
#include "db/query.h"
#include "db/querymodel.h"
#include "pagekit/filters.h"
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
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestListPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;
    ui::ScriptedDialogs *dialogs = nullptr;

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
        dialogs = &ui::ScriptedDialogs::install();
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

    void checkBoxFilterSwitchesPaintsAndFocuses()
    {
        QWidget page;
        auto *box = new QCheckBox(&page);
        auto *us = new QLineEdit(&page);
        auto *other = new QLineEdit(&page);
        pagekit::FilterTable filters;
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

        box->click();
        QVERIFY(!us->isEnabled());
        QCOMPARE(us->palette().color(QPalette::Active, QPalette::Base),
                 QApplication::palette(us).color(QPalette::Active, QPalette::Base));
    }

    void quoteIsSearchedAsItselfAndWildcardsStayWildcards()
    {
        QCheckBox box;
        QLineEdit us;
        pagekit::FilterTable filters;
        filters.like(&box, &us, u"us"_s);
        box.click();
        us.setText(u"o'b"_s);
        QCOMPARE(search(filters.lines()), QStringList{u"o'brien"_s});
        // The value is bound, never pasted into the statement.
        db::Query q(db->connection(), u"q"_s);
        filters.lines().addTo(q);
        QCOMPARE(q.text(), u" and us like ?"_s);
        QCOMPARE(q.bindings(), QVariantList{u"%o'b%"_s});

        us.setText(u"a_b"_s);
        QCOMPARE(search(filters.lines()), (QStringList{u"a_b"_s, u"axb"_s}));
        us.setText(u"0%o"_s);
        QCOMPARE(search(filters.lines()), QStringList{u"50%off"_s});

        // A Persian keyboard types the Persian yeh and digits; the register stores the Arabic yeh and 0-9.
        us.setText(u"علی۱"_s);
        db::Query typed(db->connection(), u"typed"_s);
        filters.lines().addTo(typed);
        QCOMPARE(typed.bindings(), QVariantList{u"%علي1%"_s});
    }

    void captionRangeAndValueListFilters()
    {
        QWidget page;
        auto *caption = new ClickLabel(&page);
        auto *from = new TMaskedDateEdit(&page);
        auto *to = new TMaskedDateEdit(&page);
        auto *levCaption = new ClickLabel(&page);
        auto *lev = new QLineEdit(&page);
        auto *add = new QPushButton(&page);
        auto *show = new QCheckBox(&page);
        auto *items = new QListWidget(&page);
        pagekit::FilterTable filters;
        filters.range(caption, from, to, u"dat"_s, u"تاريخ"_s)
            .valueList(levCaption, {lev, add, show, items}, u"lev"_s, u"سطح"_s, true);
        page.show();
        QVERIFY(items->isHidden() && !add->isEnabled());

        // A caption click turns both bounds on and its caption green; the bounds are inclusive.
        Q_EMIT caption->clicked();
        QVERIFY(from->isEnabled() && to->isEnabled());
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
        from->setStoredText(u"1403/02/01"_s);
        to->setStoredText(u"1403/02/15"_s);
        QCOMPARE(search(filters.lines()), (QStringList{u"o'brien"_s, u"50%off"_s, QStringLiteral("<null>")}));
        // An incomplete or impossible bound is refused by the filter's name; nothing is searched.
        for (const QString &bad : {u"1403/02/  "_s, u"1403/13/01"_s, u"1402/12/30"_s}) {
            to->setStoredText(bad);
            try {
                filters.lines();
                QFAIL("an incomplete bound was searched");
            } catch (const ui::Refusal &refusal) {
                QVERIFY(refusal.text().contains(u"تاريخ"_s));
                QCOMPARE(refusal.field(), to);
            }
        }
        Q_EMIT caption->clicked();
        QVERIFY(!from->isEnabled());

        // The value list: on with an empty list matches no row; only the listed numbers are searched.
        Q_EMIT levCaption->clicked();
        QVERIFY(lev->isEnabled() && add->isEnabled() && show->isEnabled());
        QCOMPARE(search(filters.lines()), QStringList());
        lev->setText(u"3"_s);
        add->click();
        lev->setText(u"۲"_s);
        add->click();
        lev->setText(u"1"_s); // typed but never added
        QCOMPARE(search(filters.lines()), (QStringList{u"o'brien"_s, u"a_b"_s, u"axb"_s}));
        show->click();
        QVERIFY(items->isVisible());
        items->addItem(u"x"_s);
        QVERIFY_THROWS_EXCEPTION(ui::Refusal, filters.lines()); // no whole number: refused by name
        // Switching again hides and empties the list; the show box keeps its tick.
        Q_EMIT levCaption->clicked();
        QVERIFY(!lev->isEnabled() && !add->isEnabled() && items->isHidden() && items->count() == 0);
        QVERIFY(show->isChecked());
    }

    void titleClickSortsOnTheClientAndBoldsTheTitle()
    {
        db::Query list(db->connection(), u"grid"_s);
        list.add(u"select * from people where id<>-1 "_s);
        list.open();
        db::QueryModel model(list);
        model.setColumns({{u"us"_s, u"نام"_s, 0}, {u"mablagh"_s, u"مبلغ"_s, 0}, {u"mablagh_kol"_s, u"مبلغ کل"_s, 0}});
        auto bold = [&](int column) {
            return model.headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
        };
        auto column = [&](const QString &field) {
            QList<qint64> values;
            for (int r = 0; r < list.recordCount(); ++r)
                values << list.valueAt(r, list.fieldIndex(field)).toLongLong();
            return values;
        };
        // A row added after the fetch stays out: the sort works on the rows already here.
        db->connection().exec(u"insert into people (us, mablagh, mablagh_kol) values ('late', 1, 1)"_s);
        QVERIFY(!bold(0) && !bold(1) && !bold(2));

        listpage::SortGridByTitle(model, 2);  // the first click on the page
        QCOMPARE(list.sort(), u"mablagh_kol ASC"_s);
        QCOMPARE(column(u"mablagh_kol"_s), (QList<qint64>{100, 200, 500, 700, 900, 1200}));
        QVERIFY(bold(2) && !bold(0) && !bold(1));

        listpage::SortGridByTitle(model, 2);
        QCOMPARE(list.sort(), u"mablagh_kol DESC"_s);
        QCOMPARE(column(u"mablagh_kol"_s).first(), 1200);
        listpage::SortGridByTitle(model, 2);
        QCOMPARE(list.sort(), u"mablagh_kol ASC"_s);

        // Another field starts ascending, even when its name begins the sorted one's.
        listpage::SortGridByTitle(model, 1);
        QCOMPARE(list.sort(), u"mablagh ASC"_s);
        QCOMPARE(column(u"mablagh"_s), (QList<qint64>{50, 100, 100, 200, 300, 400}));
        QVERIFY(bold(1) && !bold(2));
        listpage::SortGridByTitle(model, 1);
        QCOMPARE(list.sort(), u"mablagh DESC"_s);

        listpage::SortGridByTitle(model, 7);  // no such column: nothing changes
        QCOMPARE(list.sort(), u"mablagh DESC"_s);
        QVERIFY(bold(1));
        QCOMPARE(list.recordCount(), 6);
        db->connection().exec(u"delete from people where us='late'"_s);
    }

    void deleteConfirmationProceedsOnYesOnly()
    {
        const std::pair<ui::Answer, bool> cases[] = {
            {ui::Answer::Yes, true}, {ui::Answer::No, false}, {ui::Answer::Cancel, false}};
        for (const auto &[answer, proceeds] : cases) {
            dialogs->reset();
            dialogs->answers.enqueue(answer);
            QCOMPARE(listpage::confirmDelete(), proceeds);
            QCOMPARE(dialogs->shown.size(), 1);
            QCOMPARE(dialogs->shown.first().kind, u"ask"_s);
            QCOMPARE(dialogs->shown.first().text, u"آيا از حذف مطمئن هستيد؟"_s);
        }
    }

    void totalLabelGroupsItsDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("grouped");
        QTest::newRow("seven digits") << u"1250000"_s << u"1,250,000"_s;
        QTest::newRow("already grouped") << u"1,250,000"_s << u"1,250,000"_s;
        QTest::newRow("negative") << u"-1234567"_s << u"-1,234,567"_s;
        QTest::newRow("driver fraction") << u"1250000.0000"_s << u"1,250,000"_s;
        QTest::newRow("beyond 32 bits") << u"999999999999999"_s << u"999,999,999,999,999"_s;
    }
    void totalLabelGroupsItsDigits()
    {
        QFETCH(QString, text);
        QFETCH(QString, grouped);
        QLabel label(text);
        listpage::ColumnSumToLabel(&label);
        QCOMPARE(label.text(), grouped);
        listpage::ColumnSumToLabel(&label);  // a second click changes nothing
        QCOMPARE(label.text(), grouped);
    }
};

QTEST_MAIN(TestListPage)
#include "tst_listpage.moc"
