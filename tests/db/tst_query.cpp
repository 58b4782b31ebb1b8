// The client-side dataset on a real SQLite file: refusals, navigation, writes to the base table, conversions,
// sorting, calculated and declared fields. (Writes that meet another user's: tst_shared_file; writes through a
// joined statement: the purchases pages' tests; a file's bytes stored and given back: the attachments tests.)
#include "db/query.h"
#include "db/statement.h"
#include "support/refusal.h"
#include "support/tempdb.h"
#include <QFile>
#include <optional>
#include <QTest>

using namespace Qt::StringLiterals;
using db::FieldType;
using db::Query;

class TestQuery : public QObject {
    Q_OBJECT

    TempDb temp;
    db::Connection &c() { return temp.connection(); }

    QStringList column(Query &q, const QString &field)
    {
        QStringList values;
        for (int row = 0; row < q.recordCount(); ++row)
            values << q.textAt(row, q.fieldIndex(field));
        return values;
    }
    static void open(Query &q, const QString &sql)
    {
        q.add(sql);
        q.open();
    }
    qint64 count(const QString &where)
    {
        return db::detail::scalar(c(), u"select count(*) from people where "_s + where, {}).toLongLong();
    }

private Q_SLOTS:
    // Rows of people: name, city, amount (money), score, pic (blob).
    void init()
    {
        c().exec(u"drop table if exists people"_s);
        c().exec(u"create table people (id integer primary key autoincrement, name nvarchar(50), city nvarchar(50), "
                 "amount money, score int, pic blob)"_s);
        const QStringList names{u"تقي"_s, u"پرويز"_s, u"بهرام"_s, u"گلاره"_s, u"لادن"_s};
        const QVariantList amounts{1250000, 40, QVariant(), 9, 10};
        for (int i = 0; i < names.size(); ++i)
            c().exec(u"insert into people (name, city, amount, score) values (?, ?, ?, ?)"_s,
                     {names.at(i), i % 2 ? u"قم"_s : QVariant(), amounts.at(i), i});
    }

    void refusalsNameTheCauseAndLeaveTheFileFreeToClose()
    {
        // Each refusal comes after the statement was prepared; a statement left unfinalized keeps the file open
        // past close(), and then its write-ahead log is never folded back and removed.
        const QString file = temp.folder() + u"/refusals.db"_s;
        db::Connection own(u"own"_s);
        own.setConnectionString(u"Provider=SQLite;Data Source="_s + file);
        own.open();
        own.exec(u"create table t (a int)"_s);
        QVERIFY(QFile::exists(file + u"-wal"_s));
        QVERIFY(refusal([&] { own.exec(u"insert into nowhere values (1)"_s); }).contains(u"nowhere"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, own.exec(u"insert into t values (?)"_s, {1, 2}));
        QVERIFY_THROWS_EXCEPTION(db::Error, own.exec(u"insert into t values (1); select 1"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, db::detail::scalar(own, u"select ?"_s, {}));
        own.close();
        QVERIFY2(!QFile::exists(file + u"-wal"_s), "the file was left open");
        // A file that cannot be opened (a folder) leaves the connection closed.
        own.setConnectionString(u"Provider=SQLite;Data Source="_s + temp.folder());
        QVERIFY_THROWS_EXCEPTION(db::Error, own.open());
        QVERIFY(!own.connected());
    }

    // Navigation as the older engine had it, and locate. (Bound values: the list-page and settings tests.)
    void navigationAndLocate()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people order by score"_s);
        QVERIFY(q.eof()); // closed: at its end, and refuses to move
        QVERIFY_THROWS_EXCEPTION(db::Error, q.next());
        q.open();
        QVERIFY(q.bof() && !q.eof() && q.recNo() == 1);
        QStringList seen;
        for (; !q.eof(); q.next())
            seen << q[u"score"_s].asString();
        QCOMPARE(seen, (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
        q.setRecNo(99);
        QCOMPARE(q.recNo(), 5);
        q.first();
        q.prior();
        QVERIFY(q.bof() && q.recNo() == 1);
        // By a name in any letter case, a money value, a null; no match leaves the current row.
        QVERIFY(q.locate(u"NAME"_s, u"گلاره"_s));
        QCOMPARE(q.recNo(), 4);
        QVERIFY(q.locate(u"amount"_s, 40));
        QCOMPARE(q.recNo(), 2);
        QVERIFY(q.locate(u"city"_s, QVariant()));
        QCOMPARE(q.recNo(), 1);
        QVERIFY(!q.locate(u"name"_s, u"گلار"_s));
        QCOMPARE(q.recNo(), 1);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.fieldByName(u"nothing"_s));
        // Opening an open query keeps its rows and current row.
        q.setRecNo(3);
        c().exec(u"delete from people"_s);
        q.open();
        QCOMPARE(q.recordCount(), 5);
        QCOMPARE(q.recNo(), 3);
    }

    // Writes reach the table: a new row gets its id, an edit its values, a delete removes the row. (Cancel: the
    // refused writes below; the pending edit stored on a move and the current row after a delete: tst_querymodel.)
    void appendEditDeleteReachTheTable()
    {
        Query q(c(), u"q"_s);
        open(q, u"select * from people order by id"_s);
        q.append();
        q[u"name"_s].setValue(u"آرش"_s);
        q[u"amount"_s].setString(u"700"_s);
        q.post();
        QCOMPARE(q[u"id"_s].asInteger(), 6);
        QCOMPARE(count(u"id = 6 and name = 'آرش' and amount = 700"_s), 1);
        q.setRecNo(2);
        q.edit();
        q[u"city"_s].clear();
        q[u"score"_s].setValue(u"77"_s);
        q.post();
        QCOMPARE(count(u"name = 'پرويز' and city is null and score = 77"_s), 1);
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"score"_s].setValue(1)); // not editing
        q.deleteRecord();
        QCOMPARE(count(u"name = 'پرويز'"_s), 0);
        QCOMPARE(q[u"name"_s].asString(), u"بهرام"_s);
    }

    // (The write step's success: every page's save.)
    void refusedWriteRowLeavesNoHalfMadeRow()
    {
        Query q(c(), u"q"_s);
        open(q, u"select * from people order by id"_s);
        q.setRecNo(3);
        const QStringList before = column(q, u"name"_s);
        const auto written = [](const QString &name) {
            return [name](Query &row) { row[u"name"_s].setValue(name); };
        };
        c().exec(u"create trigger refuse_insert before insert on people begin select raise(abort, 'refused'); end"_s);
        c().exec(u"create trigger refuse_update before update on people begin select raise(abort, 'refused'); end"_s);
        QVERIFY(refusal([&] { db::writeRow(q, Query::State::Insert, written(u"نو"_s)); }).contains(u"refused"_s));
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(q.recNo(), 3); // the user's row, not the last one
        QCOMPARE(column(q, u"name"_s), before);
        QVERIFY_THROWS_EXCEPTION(db::Error, db::writeRow(q, Query::State::Edit, written(u"نو"_s)));
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(column(q, u"name"_s), before);
        // A fill that throws before the post is taken back the same way.
        QVERIFY_THROWS_EXCEPTION(db::Error, db::writeRow(q, Query::State::Insert, [](Query &row) {
                                     row[u"nowhere"_s].setValue(1);
                                 }));
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(q.recordCount(), before.size());
    }

    void emptyListsAndRefresh()
    {
        Query q(c(), u"q"_s);
        open(q, u"select * from people where score > 100"_s);
        QVERIFY(q.isEmpty() && q.eof() && q.bof() && q.recNo() == 0);
        QVERIFY(q[u"name"_s].isNull());
        QVERIFY_THROWS_EXCEPTION(db::Error, q.deleteRecord());
        // Editing an empty list starts a new row.
        q.edit();
        QCOMPARE(q.state(), Query::State::Insert);
        q[u"score"_s].setValue(200);
        q.post();

        // A refresh reads rows added since, keeping the sort.
        c().exec(u"insert into people (name, score) values ('الف', 300), ('ب', 250)"_s);
        q.setSort(u"score DESC"_s);
        q.refresh();
        QCOMPARE(q.sort(), u"score DESC"_s);
        QCOMPARE(column(q, u"score"_s), (QStringList{u"300"_s, u"250"_s, u"200"_s}));
    }

    // (A declared money field over a driver's decimal text: tst_startup.)
    void nullsAndNumbersConvertLikeTheOlderEngine()
    {
        Query q(c(), u"q"_s);
        q.add(u"select name, city, amount, score, '1250000.0000' as driver_money, 'abc' as word, '' as blank,"
              " 2.5 as half from people where score = 0"_s);
        q.open();
        // A null reads as the empty text and zero.
        QVERIFY(!q[u"city"_s].value().isValid());
        QVERIFY(q[u"city"_s].asString().isEmpty() && q[u"city"_s].asInteger() == 0 && q[u"city"_s].asFloat() == 0.0);
        QCOMPARE(q[u"amount"_s].type(), FieldType::Money);
        QCOMPARE(q[u"amount"_s].asString(), u"1250000"_s);
        QCOMPARE(q[u"driver_money"_s].asCurrency(), 1250000);
        QCOMPARE(q[u"half"_s].asCurrency(), 3);
        QCOMPARE(q[u"half"_s].asString(), u"2.5"_s);
        // A text that is no number is an error, never zero.
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asInteger());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asCurrency());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"blank"_s].asInteger());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"name"_s].asFloat());

        // A number field refuses a text that is no number, and an empty text clears it.
        Query people(c(), u"people"_s);
        open(people, u"select * from people where score = 0"_s);
        people.edit();
        QVERIFY_THROWS_EXCEPTION(db::Error, people[u"amount"_s].setValue(u"12a"_s));
        people[u"amount"_s].setValue(u""_s);
        people.post();
        QCOMPARE(count(u"score = 0 and amount is null"_s), 1);
    }

    void sortTogglesAndKeepsTheCurrentRecord()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people"_s);
        q.open();
        QVERIFY(q.locate(u"name"_s, u"گلاره"_s));
        q.setSort(u"name ASC"_s);
        // Persian order, not code points: پ before ت, گ before ل.
        QCOMPARE(column(q, u"name"_s), (QStringList{u"بهرام"_s, u"پرويز"_s, u"تقي"_s, u"گلاره"_s, u"لادن"_s}));
        QCOMPARE(q.recNo(), 4);

        // Numbers by value, nulls first when ascending and last when descending.
        q.setSort(u"amount ASC"_s);
        QCOMPARE(column(q, u"amount"_s), (QStringList{QString(), u"9"_s, u"10"_s, u"40"_s, u"1250000"_s}));
        q.setSort(u"amount  desc"_s);
        QCOMPARE(column(q, u"amount"_s), (QStringList{u"1250000"_s, u"40"_s, u"10"_s, u"9"_s, QString()}));
        // Equal values keep the fetched order; an empty sort restores it.
        q.setSort(u"city ASC"_s);
        QCOMPARE(column(q, u"score"_s), (QStringList{u"0"_s, u"2"_s, u"4"_s, u"1"_s, u"3"_s}));
        q.setSort(QString());
        QCOMPARE(column(q, u"score"_s), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
        QCOMPARE(q[u"name"_s].asString(), u"گلاره"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.setSort(u"nothing ASC"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, q.setSort(u"name UP"_s));
        // A new statement starts unsorted.
        q.close();
        q.open();
        QCOMPARE(q.sort(), QString());
    }

    // Calculated fields are filled when a row is first read, once (a large list costs only the rows shown),
    // again for a posted row and after a refresh, and for every row before a sort by one; a row the handler
    // refuses keeps the field empty. They are never written; read-only fields are refused; a declared field the
    // result lacks is an error at open. (The invoice query's amounts in words: tst_startup.)
    void calculatedAndDeclaredFields()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people"_s);
        q.setDeclaredFields({{u"name"_s, FieldType::WideText, 50},
                             {u"amount"_s, FieldType::Money},
                             {u"twice"_s, FieldType::WideText, 0, false, true},
                             {u"id"_s, FieldType::BigInt, 0, true}});
        int calls = 0;
        q.setCalcFields([&calls](Query &row) {
            ++calls;
            const db::Field amount = row.fieldByName(u"amount"_s);
            row.fieldByName(u"twice"_s).setValue(amount.isNull() ? u"-"_s : QString::number(amount.asCurrency() * 2));
        });
        q.open();
        QCOMPARE(calls, 0);
        QCOMPARE(q.fieldCount(), 4);
        QCOMPARE(column(q, u"twice"_s), (QStringList{u"2500000"_s, u"80"_s, u"-"_s, u"18"_s, u"20"_s}));
        QCOMPARE(q.textAt(4, 2), u"20"_s);
        QCOMPARE(calls, 5);
        q.setRecNo(2);
        q.edit();
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"id"_s].setValue(9));
        q[u"twice"_s].setValue(u"not stored"_s);
        q[u"amount"_s].setValue(41);
        q.post();
        QCOMPARE(q[u"twice"_s].asString(), u"82"_s);
        QCOMPARE(count(u"amount = 41"_s), 1);
        c().exec(u"update people set amount = 5 where amount = 9"_s);
        calls = 0;
        q.refresh();
        QCOMPARE(column(q, u"twice"_s).at(3), u"10"_s);
        QCOMPARE(calls, 5);

        q.setCalcFields([](Query &row) {
            if (row.fieldByName(u"amount"_s).isNull())
                throw db::Error(u"no amount"_s);
            row.fieldByName(u"twice"_s).setValue(QString::number(row.fieldByName(u"amount"_s).asCurrency() * 2));
        });
        q.refresh();
        q.setSort(u"twice DESC"_s);
        QCOMPARE(column(q, u"twice"_s), (QStringList{u"82"_s, u"2500000"_s, u"20"_s, u"10"_s, QString()}));

        q.clear();
        q.add(u"select name from people"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.open());
        QVERIFY(!q.active());
    }

    // A list read a slice at a time: the first rows at once, the rest in the background or when something
    // needs them; the count and sums of the whole result exact either way; a new statement stops the fill.
    void listReadASliceAtATime()
    {
        constexpr int rows = 5000;
        c().exec(u"create table many (id integer primary key, amount money, name nvarchar(20))"_s);
        c().beginTransaction();
        for (int i = 1; i <= rows; ++i)
            c().exec(u"insert into many (amount, name) values (?, ?)"_s,
                     {i % 7 == 0 ? QVariant() : QVariant(i * 1000), QVariant(u"ردیف "_s + QString::number(i % 50))});
        c().commit();
        const qint64 sum = db::detail::scalar(c(), u"select sum(amount) from many"_s, {}).toLongLong();
        Query q(c(), u"q"_s);
        q.setIncremental(true);
        const auto openMany = [&q](const QString &where = QString()) {
            q.clear();
            q.add(u"select * from many"_s + where);
            q.open();
        };
        std::optional<Query::Totals> totals;
        const auto total = [&] {
            totals.reset();
            q.whenTotalled({u"amount"_s}, [&totals](const Query::Totals &counted) { totals = counted; });
        };

        // Read in the background to the end: the totals are the rows'.
        openMany();
        QVERIFY(q.hasMoreRows() && q.fetchedCount() < rows);
        total();
        q.setBackgroundFill(true);
        QTRY_VERIFY(totals.has_value());
        QCOMPARE(totals->count, rows);
        QCOMPARE(totals->sums.value(0), sum);
        QVERIFY(!q.hasMoreRows());

        // Past its budget the fill waits, and a second pass counts the rest.
        openMany();
        q.setBackgroundBudget(16 * 1024);
        total();
        QTRY_VERIFY(totals.has_value());
        QCOMPARE(totals->count, rows);
        QCOMPARE(totals->sums.value(0), sum);
        QVERIFY(q.hasMoreRows());
        q.setBackgroundBudget(40 * 1024 * 1024);

        // A sort needs every row: a partly read list is read whole first.
        q.setBackgroundFill(false);
        openMany();
        q.setSort(u"amount DESC"_s);
        QCOMPARE(q.recordCount(), rows);
        QCOMPARE(q.valueAt(0, q.fieldIndex(u"amount"_s)).toLongLong(), qint64(rows) * 1000);
        QVERIFY(!q.hasMoreRows());

        // A new statement stops the fill of the last: only its own rows come, and no more of the old.
        q.setBackgroundFill(true);
        openMany();
        total();
        openMany(u" where id <= 10"_s);
        QTest::qWait(50);
        QCOMPARE(q.fetchedCount(), 10);
        QVERIFY(!totals.has_value());
        QCOMPARE(q.recordCount(), 10);
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
