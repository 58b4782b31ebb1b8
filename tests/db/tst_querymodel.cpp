// The grid model over a query, in a real QTableView: columns and titles, money format, following every change
// of the query, one current row for the view and the query, and a long list read as the grid needs it. (The
// bold sorted title: tst_listpage; row colours: the purchases register's test.)
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

    TempDb temp;

    static QString cell(const QAbstractItemModel &model, int row, int column)
    {
        return model.data(model.index(row, column), Qt::DisplayRole).toString();
    }
    static QStringList titles(const QAbstractItemModel &model)
    {
        QStringList shown;
        for (int column = 0; column < model.columnCount(); ++column)
            shown << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        return shown;
    }

    // A query shown in a view, opened after the view is attached.
    struct Grid {
        Grid(db::Connection &connection, const QString &select, const QVector<db::GridColumn> &columns = {})
            : q(connection, u"q"_s), model(q)
        {
            q.setIncremental(true);
            q.add(select);
            model.setColumns(columns);
            model.attach(&view);
            q.open();
        }
        // The model's rows and the view's current row.
        std::pair<int, int> shape() const { return {model.rowCount(), view.selectionModel()->currentIndex().row()}; }
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
        c.exec(u"insert into chek (mozo, mablagh, secret) values ('دارو', 1250000, 's'), ('بنزين', 2500000, 's'), "
               "('آب', 3750000, 's'), ('پست', 5000000, 's')"_s);
    }

    void columnsTitlesFormatsAndOneCurrentRow()
    {
        temp.connection().exec(u"update chek set mablagh='12x' where id=2"_s);
        Grid grid(temp.connection(), u"select * from chek order by id"_s,
                  {{u"MOZO"_s, u"موضوع"_s, 180}, {u"mablagh"_s, u"مبلغ"_s, 0}, {u"id"_s, {}, 0}});
        QueryModel &model = grid.model;
        QCOMPARE(grid.shape(), std::pair(4, 0));
        // A column without a title shows its field's name; a field without a column is not shown.
        QCOMPARE(titles(model), (QStringList{u"موضوع"_s, u"مبلغ"_s, u"id"_s}));
        QCOMPARE(model.columnOfField(u"secret"_s), -1);
        QCOMPARE(grid.view.columnWidth(0), 180);
        // Money grouped; a stored text that is no amount shows as it is stored.
        QCOMPARE((QStringList{cell(model, 0, 0), cell(model, 1, 1), cell(model, 3, 1)}),
                 (QStringList{u"دارو"_s, u"12x"_s, u"5,000,000"_s}));
        // With no columns set every field shows under its own name.
        model.setColumns({});
        QCOMPARE(titles(model), (QStringList{u"id"_s, u"mozo"_s, u"mablagh"_s, u"secret"_s}));

        // The grid follows every change of the query at once; the view and the query have one current row.
        Query &q = grid.q;
        grid.view.show();
        q.setRecNo(3);
        QCOMPARE(grid.shape().second, 2);
        grid.view.setCurrentIndex(grid.model.index(1, 0)); // (by the keyboard: the users page's rights test)
        QCOMPARE(q.recNo(), 2);
        // A pending edit is stored when the user moves to another row.
        q.edit();
        q[u"secret"_s].setValue(u"moved"_s);
        grid.view.setCurrentIndex(grid.model.index(2, 0));
        QCOMPARE(q.state(), Query::State::Browse);
        const QString moved = u"select count(*) from chek where secret = 'moved'"_s;
        QCOMPARE(db::detail::scalar(temp.connection(), moved, {}).toInt(), 1);
        // A refresh keeps the view on the query's row.
        q.refresh();
        QCOMPARE(std::pair(q.recNo(), grid.shape().second), std::pair(3, 2));

        const int mozo = q.fieldIndex(u"mozo"_s);
        q.append();
        QCOMPARE(grid.shape(), std::pair(5, 4));
        q[u"mozo"_s].setValue(u"چاپ"_s);
        q.post();
        QCOMPARE(cell(grid.model, 4, mozo), u"چاپ"_s);
        QVERIFY(q.locate(u"mozo"_s, u"بنزين"_s));
        q.setSort(u"mozo ASC"_s);
        QCOMPARE(cell(grid.model, 0, mozo), u"آب"_s);
        QCOMPARE(cell(grid.model, grid.shape().second, mozo), u"بنزين"_s);
        q.deleteRecord();
        QCOMPARE(grid.shape(), std::pair(4, q.recNo() - 1));
        // The last row: the view's current row moves to the new last row.
        q.last();
        q.deleteRecord();
        QCOMPARE(grid.shape(), std::pair(3, 2));
        q.insert();
        QCOMPARE(grid.model.rowCount(), 4);
        q.cancel();
        QCOMPARE(grid.shape(), std::pair(3, 2));
        q.close();
        QCOMPARE(grid.shape(), std::pair(0, -1));
    }

    // A long list shows its first rows; the rest comes between events, shown or not, and is told to the grid. A row
    // added meanwhile stays the current row of both as the rest comes in before it. A list destroyed before its
    // grid leaves the grid empty.
    void longListToldToTheGridAsItIsRead()
    {
        temp.connection().exec(u"create table many (id integer primary key, n int)"_s);
        temp.connection().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 6000) "
                               u"insert into many (n) select n from r"_s);
        auto grid = std::make_unique<Grid>(temp.connection(), u"select * from many"_s);
        QCOMPARE(grid->model.rowCount(), 1000);
        grid->q.append();
        grid->q.post();
        QTRY_COMPARE(grid->model.rowCount(), 6001);
        QCOMPARE(std::pair(grid->shape().second, grid->q.recNo()), std::pair(6000, 6001));
        QCOMPARE(cell(grid->model, 5999, 1), u"6000"_s);

        auto list = std::make_unique<Query>(temp.connection(), u"list"_s);
        QueryModel model(*list);
        model.attach(&grid->view);
        grid->view.show();
        list->add(u"select * from many"_s);
        list->open();
        list.reset();
        grid->view.hide();
        grid->view.show();
        QCOMPARE(model.rowCount() + model.columnCount(), 0);
    }
};

QTEST_MAIN(TestQueryModel)
#include "tst_querymodel.moc"
