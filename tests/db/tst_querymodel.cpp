// The grid model over a query, in a real QTableView: columns and titles, money format, following every change
// of the query, and one current row for the view and the query. (The bold sorted title: tst_listpage; row
// colours: the purchases register's test.)
#include "db/querymodel.h"
#include "db/statement.h"
#include "support/tempdb.h"
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using db::Query;
using db::QueryModel;

class TestQueryModel : public QObject {
    Q_OBJECT

private:
    TempDb temp;

    QString cell(const QAbstractItemModel &model, int row, int column)
    {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    }

    static int currentRow(const QTableView &view) { return view.selectionModel()->currentIndex().row(); }

    // An open query shown in a view.
    struct Grid {
        explicit Grid(db::Connection &connection) : q(connection, u"q"_s), model(q)
        {
            q.add(u"select * from chek order by id"_s);
            q.open();
            model.attach(&view);
        }
        Query q;
        QueryModel model;
        QTableView view;
    };

private Q_SLOTS:
    void initTestCase()
    {
        db::Connection &c = temp.connection();
        c.exec(u"create table chek (id integer primary key autoincrement, mozo nvarchar(80), mablagh money, "
               "secret nvarchar(10))"_s);
        const QStringList subjects{u"دارو"_s, u"بنزين"_s, u"آب"_s, u"پست"_s};
        for (int i = 0; i < subjects.size(); ++i)
            c.exec(u"insert into chek (mozo, mablagh, secret) values (?, ?, 's')"_s, {subjects.at(i), 1250000 * (i + 1)});
    }

    void columnsTitlesAndFormats()
    {
        Query q(temp.connection(), u"q"_s);
        q.add(u"select * from chek order by id"_s);
        QueryModel model(q);
        QTableView view;
        model.setColumns({{u"MOZO"_s, u"موضوع"_s, 180}, {u"mablagh"_s, u"مبلغ"_s, 0}, {u"id"_s, {}, 0}});
        model.attach(&view);
        QCOMPARE(model.rowCount(), 0);
        q.open();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.columnCount(), 3);
        // A column without a title shows its field's name; a field without a column is not shown.
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"موضوع"_s);
        QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), u"id"_s);
        QCOMPARE(model.columnOfField(u"secret"_s), -1);
        QCOMPARE(view.columnWidth(0), 180);
        // Money grouped in the grid, whole in the field's text.
        QCOMPARE(cell(model, 0, 0), u"دارو"_s);
        QCOMPARE(cell(model, 3, 1), u"5,000,000"_s);
        QCOMPARE(q.textAt(0, q.fieldIndex(u"mablagh"_s)), u"1250000"_s);
        // A stored text that is no amount shows as it is stored.
        temp.connection().exec(u"update chek set mablagh='12x' where id=1"_s);
        q.refresh();
        QCOMPARE(cell(model, 0, 1), u"12x"_s);
        temp.connection().exec(u"update chek set mablagh=1250000 where id=1"_s);

        // With no columns set every field shows under its own name.
        model.setColumns({});
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"secret"_s);
    }

    void followsTheQueryAtOnce()
    {
        Grid grid(temp.connection());
        auto &[q, model, view] = grid;
        const int mozo = q.fieldIndex(u"mozo"_s);
        q.append();
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(currentRow(view), 4);
        q[u"mozo"_s].setValue(u"چاپ"_s);
        q.post();
        QCOMPARE(cell(model, 4, mozo), u"چاپ"_s);

        QVERIFY(q.locate(u"mozo"_s, u"بنزين"_s));
        q.setSort(u"mozo ASC"_s);
        QCOMPARE(cell(model, 0, mozo), u"آب"_s);
        QCOMPARE(cell(model, currentRow(view), mozo), u"بنزين"_s);

        q.deleteRecord();
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(currentRow(view), q.recNo() - 1);
        // The last row: the view's current row moves to the new last row.
        q.last();
        q.deleteRecord();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(currentRow(view), 2);
        q.insert();
        QCOMPARE(model.rowCount(), 4);
        q.cancel();
        QCOMPARE(model.rowCount(), 3);

        q.close();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(currentRow(view), -1);
    }

    void currentRowIsOneForViewAndQuery()
    {
        Grid grid(temp.connection());
        auto &[q, model, view] = grid;
        view.show();
        QCOMPARE(currentRow(view), 0);
        q.setRecNo(3);
        QCOMPARE(currentRow(view), 2);
        view.setCurrentIndex(model.index(1, 0)); // (by the keyboard: the users page's rights test)
        QCOMPARE(q.recNo(), 2);
        // A pending edit is stored when the user moves to another row.
        q.edit();
        q[u"secret"_s].setValue(u"moved"_s);
        view.setCurrentIndex(model.index(2, 0));
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(q.recNo(), 3);
        const QString moved = u"select count(*) from chek where secret = 'moved'"_s;
        QCOMPARE(db::detail::scalar(temp.connection(), moved, {}).toInt(), 1);
        // A refresh keeps the view on the query's row.
        q.refresh();
        QCOMPARE(q.recNo(), 3);
        QCOMPARE(currentRow(view), 2);
    }

    // A long list shows its first rows; the grid reads more as it scrolls, and the rest comes while it is shown
    // (and told to it a few times a second), never while it is hidden.
    void longListFilledAsTheGridNeedsIt()
    {
        db::Connection &c = temp.connection();
        c.exec(u"create table many (id integer primary key, n int)"_s);
        c.exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 6000) "
               u"insert into many (n) select n from r"_s);
        Query q(c, u"q"_s);
        q.setIncremental(true);
        q.add(u"select * from many"_s);
        q.open();
        QueryModel model(q);
        QTableView view;
        model.attach(&view);
        const int first = model.rowCount();
        QVERIFY(first > 0 && first < 6000);
        QTest::qWait(100);
        QCOMPARE(model.rowCount(), first); // hidden: nothing more is read
        view.scrollToBottom();
        QTRY_VERIFY(model.rowCount() > first); // the grid reached the last row it knew
        view.show();
        QTRY_COMPARE(model.rowCount(), 6000);
        QCOMPARE(cell(model, 5999, 1), u"6000"_s);
        QVERIFY(!q.hasMoreRows());
    }
};

QTEST_MAIN(TestQueryModel)
#include "tst_querymodel.moc"
