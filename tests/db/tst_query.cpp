// The client-side dataset on a real SQLite file: refusals, navigation, writes to the base table, conversions,
// sorting, calculated and declared fields, a list read a slice at a time. (Writes that meet another user's:
// tst_shared_file; writes through a joined statement: the purchases pages' tests.)
#include "db/feedback.h"
#include "db/query.h"
#include "db/statement.h"
#include "support/refusal.h"
#include "support/tempdb.h"
#include "ui/scripted_dialogs.h"
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
    // 5000 rows, ids 1 to 5000; every seventh amount null, the others id * 1000.
    void createMany()
    {
        c().exec(u"drop table if exists many"_s);
        c().exec(u"create table many (id integer primary key, amount money)"_s);
        c().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 5000) insert into many "
                 u"(amount) select case when n % 7 = 0 then null else n * 1000 end from r"_s);
    }

private Q_SLOTS:
    // Rows of people: name, city, amount (money), score.
    void init()
    {
        c().exec(u"drop table if exists people"_s);
        c().exec(u"create table people (id integer primary key autoincrement, name nvarchar(50), city nvarchar(50), "
                 "amount money, score int, code nvarchar(10))"_s);
        const QStringList names{u"تقي"_s, u"پرويز"_s, u"بهرام"_s, u"گلاره"_s, u"لادن"_s};
        const QVariantList amounts{1250000, 40, QVariant(), 9, 10};
        const QVariantList codes{u"9"_s, u"10"_s, u"1"_s, QVariant(), u"100"_s};
        for (int i = 0; i < names.size(); ++i)
            c().exec(u"insert into people (name, city, amount, score, code) values (?, ?, ?, ?, ?)"_s,
                     {names.at(i), i % 2 ? u"قم"_s : QVariant(), amounts.at(i), i, codes.at(i)});
    }

    // Each refusal comes after the statement was prepared; one left unfinalized keeps the file open past
    // close(), and then its write-ahead log is never folded back and removed. (A file that can't be opened
    // leaves the connection closed: the sign-in's test.)
    void refusalsNameTheCauseAndLeaveTheFileFreeToClose()
    {
        TempDb another;
        db::Connection &own = another.connection();
        const QString file = another.file();
        own.exec(u"create table t (a int)"_s);
        QVERIFY(QFile::exists(file + u"-wal"_s));
        QVERIFY(refusal([&] { own.exec(u"insert into nowhere values (1)"_s); }).contains(u"nowhere"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, own.exec(u"insert into t values (?)"_s, {1, 2}));
        QVERIFY_THROWS_EXCEPTION(db::Error, own.exec(u"insert into t values (1); select 1"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, db::detail::scalar(own, u"select ?"_s, {}));
        own.close();
        QVERIFY2(!QFile::exists(file + u"-wal"_s), "the file was left open");
    }

    // Navigation as the older engine had it, locate, and an empty list. (Bound values: the list-page tests.)
    void navigationLocateAndEmptyLists()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people order by score"_s);
        QVERIFY(q.eof()); // closed: at its end, and refuses to move
        QVERIFY_THROWS_EXCEPTION(db::Error, q.next());
        q.open();
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
        const struct { QString field; QVariant value; int row; } locates[] = {
            {u"NAME"_s, u"گلاره"_s, 4}, {u"amount"_s, 40, 2}, {u"city"_s, QVariant(), 1}, {u"name"_s, u"گلار"_s, 0}};
        for (const auto &[field, value, row] : locates)
            QCOMPARE(q.locate(field, value) ? q.recNo() : 0, row);
        QCOMPARE(q.recNo(), 1);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.fieldByName(u"nothing"_s));
        // Opening an open query keeps its rows and current row.
        q.setRecNo(3);
        c().exec(u"delete from people"_s);
        q.open();
        QVERIFY(q.recordCount() == 5 && q.recNo() == 3);

        Query none(c(), u"none"_s);
        open(none, u"select * from people where score > 100"_s);
        QVERIFY(none.isEmpty() && none.eof() && none.bof() && none.recNo() == 0 && none[u"name"_s].isNull());
        QVERIFY_THROWS_EXCEPTION(db::Error, none.deleteRecord());
        none.edit(); // on an empty list: a new row
        QCOMPARE(none.state(), Query::State::Insert);
    }

    // A new row gets its id, an edit its values (texts converted, an empty one a null), a delete removes the
    // row; a refused write (or a fill that throws) leaves no half-made row and keeps the user's row. (The
    // pending edit stored on a move: tst_querymodel.)
    void writesReachTheTableOrLeaveNoTrace()
    {
        Query q(c(), u"q"_s);
        open(q, u"select * from people order by id"_s);
        q.append();
        q[u"name"_s].setValue(u"آرش"_s);
        q[u"amount"_s].setString(u"700"_s);
        q.post();
        QCOMPARE(count(u"name = 'آرش' and amount = 700 and id = "_s + q[u"id"_s].asString()), 1);
        q.setRecNo(2);
        q.edit();
        q[u"city"_s].clear();
        q[u"score"_s].setValue(u"77"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"amount"_s].setValue(u"12a"_s));
        q[u"amount"_s].setValue(u""_s);
        q.post();
        QCOMPARE(count(u"name = 'پرويز' and city is null and score = 77 and amount is null"_s), 1);
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"score"_s].setValue(1)); // not editing
        q.deleteRecord();
        QCOMPARE(count(u"name = 'پرويز'"_s), 0);
        QCOMPARE(q[u"name"_s].asString(), u"بهرام"_s);

        const QStringList before = column(q, u"name"_s);
        c().exec(u"create trigger no_insert before insert on people begin select raise(abort, 'refused'); end"_s);
        c().exec(u"create trigger no_update before update on people begin select raise(abort, 'refused'); end"_s);
        const auto named = [](Query &row) { row[u"name"_s].setValue(u"نو"_s); };
        for (const Query::State mode : {Query::State::Insert, Query::State::Edit})
            QVERIFY(refusal([&] { db::writeRow(q, mode, named); }).contains(u"refused"_s));
        const auto nowhere = [](Query &row) { row[u"nowhere"_s].setValue(1); };
        QVERIFY_THROWS_EXCEPTION(db::Error, db::writeRow(q, Query::State::Insert, nowhere));
        QCOMPARE(column(q, u"name"_s), before); // and no row left in the making
        QCOMPARE(q[u"name"_s].asString(), u"بهرام"_s); // the user's row, not the last one
    }

    // (A declared money field over a driver's decimal text: tst_startup.)
    void nullsAndNumbersConvertLikeTheOlderEngine()
    {
        Query q(c(), u"q"_s);
        open(q, u"select name, city, amount, '1250000.0000' as driver_money, 'abc' as word, '' as blank,"
                " 2.5 as half from people where score = 0"_s);
        const db::Field city = q[u"city"_s];
        QVERIFY(!city.value().isValid() && city.asString().isEmpty() && city.asInteger() == 0 && city.asFloat() == 0);
        QCOMPARE((QVariantList{q[u"amount"_s].asString(), q[u"driver_money"_s].asCurrency(), q[u"half"_s].asCurrency(),
                               q[u"half"_s].asString()}), (QVariantList{u"1250000"_s, 1250000, 3, u"2.5"_s}));
        // A text that is no number is an error, never zero.
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asInteger());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asCurrency());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"blank"_s].asInteger());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"name"_s].asFloat());
    }

    void sortTogglesAndKeepsTheCurrentRecord()
    {
        Query q(c(), u"q"_s);
        open(q, u"select * from people"_s);
        QVERIFY(q.locate(u"name"_s, u"گلاره"_s));
        // Persian order, not code points (پ before ت, گ before ل); numbers by value, nulls first when ascending and
        // last when descending; texts of digits as texts ("10" before "9"); equal values in the fetched order; an
        // empty sort restores it. The current record stays the same.
        const struct { QString sort, field; QStringList expected; } sorts[] = {
            {u"name ASC"_s, u"name"_s, {u"بهرام"_s, u"پرويز"_s, u"تقي"_s, u"گلاره"_s, u"لادن"_s}},
            {u"amount ASC"_s, u"amount"_s, {QString(), u"9"_s, u"10"_s, u"40"_s, u"1250000"_s}},
            {u"amount  desc"_s, u"amount"_s, {u"1250000"_s, u"40"_s, u"10"_s, u"9"_s, QString()}},
            {u"code ASC"_s, u"code"_s, {QString(), u"1"_s, u"10"_s, u"100"_s, u"9"_s}},
            {u"code DESC"_s, u"code"_s, {u"9"_s, u"100"_s, u"10"_s, u"1"_s, QString()}},
            {u"city ASC"_s, u"score"_s, {u"0"_s, u"2"_s, u"4"_s, u"1"_s, u"3"_s}},
            {QString(), u"score"_s, {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}},
        };
        for (const auto &[sort, field, expected] : sorts) {
            q.setSort(sort);
            QCOMPARE(column(q, field), expected);
            QCOMPARE(q[u"name"_s].asString(), u"گلاره"_s);
        }
        QVERIFY_THROWS_EXCEPTION(db::Error, q.setSort(u"nothing ASC"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, q.setSort(u"name UP"_s));
        // A refresh reads rows added since and keeps the sort; a new statement starts unsorted.
        q.setSort(u"score DESC"_s);
        c().exec(u"insert into people (score) values (300), (250)"_s);
        q.refresh();
        QCOMPARE(column(q, u"score"_s).mid(0, 3), (QStringList{u"300"_s, u"250"_s, u"4"_s}));
        q.close();
        q.open();
        QCOMPARE(q.sort(), QString());
    }

    // Calculated fields are filled when a row is first read, once (a large list costs only the rows shown),
    // again for a posted row and after a refresh, and for every row before a sort by one. They are never
    // written; read-only fields are refused; a declared field the result lacks is an error at open. (A row the
    // handler refuses, and the invoice query's amounts in words: tst_startup.)
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
            if (const db::Field amount = row.fieldByName(u"amount"_s); !amount.isNull())
                row.fieldByName(u"twice"_s).setValue(QString::number(amount.asCurrency() * 2));
        });
        q.open();
        QCOMPARE(std::pair(calls, q.fieldCount()), std::pair(0, 4));
        QCOMPARE(column(q, u"twice"_s), (QStringList{u"2500000"_s, u"80"_s, QString(), u"18"_s, u"20"_s}));
        QCOMPARE(calls, 5);
        q.setRecNo(2);
        q.edit();
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"id"_s].setValue(9));
        q[u"twice"_s].setValue(u"not stored"_s);
        q[u"amount"_s].setValue(41);
        q.post();
        QCOMPARE(q[u"twice"_s].asString(), u"82"_s);
        c().exec(u"update people set amount = 5 where amount = 9"_s);
        q.refresh();
        q.setSort(u"twice DESC"_s);
        QCOMPARE(column(q, u"twice"_s), (QStringList{u"82"_s, u"2500000"_s, u"20"_s, u"10"_s, QString()}));

        q.clear();
        QVERIFY_THROWS_EXCEPTION(db::Error, open(q, u"select name from people"_s));
        QVERIFY(!q.active());
    }

    // A list of 140,000 rows, where the stored cells change form: a text column past 65,536 distinct values, one
    // of plain numbers that meets other texts late, whole numbers beyond 32 bits after small ones, nulls that
    // come late; read in turns and read at once alike, each cell as stored, across the blocks of 16,384 rows. An
    // edit stores a value its block can't hold yet; a sort and a locate run over every row.
    void longListKeepsEveryCellAsStored()
    {
        constexpr int rows = 140000;
        c().exec(u"drop table if exists wide"_s);
        c().exec(u"create table wide (id integer primary key, label nvarchar(20), digits nvarchar(20), amount money, "
                 u"late int, late_text nvarchar(5))"_s);
        c().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < ?) insert into wide "
                 u"select n, 't' || (n / 2), case when n < 120000 then n * 7 else '0' || n end, case when n <= 50000 "
                 u"then n else (n % 2 * 2 - 1) * (3000000000 + n) end, case when n <= 130000 then n end, "
                 u"case when n <= 130000 then 'a' end from r"_s,
                 {rows});
        const auto expected = [](int n) {
            return QStringList{u"t"_s + QString::number(n / 2),
                               n < 120000 ? QString::number(n * 7) : u"0"_s + QString::number(n),
                               QString::number(n <= 50000 ? qint64(n) : (n % 2 * 2 - 1) * (3'000'000'000 + n)),
                               n <= 130000 ? QString::number(n) : u"null"_s, n <= 130000 ? u"a"_s : u"null"_s};
        };
        const auto cells = [](const Query &q, int row) {
            QStringList texts;
            for (int field = 1; field < q.fieldCount(); ++field)
                texts << (q.isNullAt(row, field) ? u"null"_s : q.textAt(row, field));
            return texts;
        };
        Query inTurns(c(), u"inTurns"_s), atOnce(c(), u"atOnce"_s);
        for (Query *q : {&inTurns, &atOnce}) {
            q->setIncremental(true);
            open(*q, u"select * from wide"_s);
        }
        QTRY_VERIFY(!inTurns.hasMoreRows());
        QCOMPARE(atOnce.recordCount(), rows);
        for (int row = 0; row < rows; ++row) {
            if (cells(inTurns, row) != expected(row + 1) || cells(atOnce, row) != cells(inTurns, row))
                QFAIL(qPrintable(u"row %1: "_s.arg(row + 1) + cells(inTurns, row).join(u'|')));
        }

        atOnce.setRecNo(16385);
        db::writeRow(atOnce, Query::State::Edit, [](Query &q) { q[u"amount"_s].setValue(Q_INT64_C(1) << 40); });
        QCOMPARE(atOnce.valueAt(16384, atOnce.fieldIndex(u"amount"_s)).toLongLong(), Q_INT64_C(1) << 40);
        QCOMPARE(cells(atOnce, 16383), expected(16384));
        QCOMPARE(cells(atOnce, 16385), expected(16386));
        atOnce.setSort(u"label DESC"_s);
        QCOMPARE(atOnce[u"id"_s].asInteger(), 16385);
        QCOMPARE(cells(atOnce, 0).value(0), u"t9999"_s);
        QVERIFY(atOnce.locate(u"digits"_s, u"0139999"_s));
        QCOMPARE(atOnce[u"id"_s].asInteger(), 139999);
    }

    // A read that fails part-way leaves no rows, never a short list: in a turn it is told, to a command that waits
    // (a sort) or a list read at once it is thrown, after the list was closed. So fails a value counted. (Read to
    // its last row: longListKeepsEveryCellAsStored.)
    void longListReadFailingPartWayIsClosed()
    {
        createMany();
        QStringList told;
        db::feedback::install({{}, [&told](const db::Error &error) { told << error.text(); }});
        Query q(c(), u"q"_s);
        const QString boom = u"case when id = 4500 then abs(-9223372036854775807 - 1) end"_s;
        enum class Way { InATurn, ToASort, AtOnce };
        for (const Way way : {Way::InATurn, Way::ToASort, Way::AtOnce}) {
            q.clear();
            q.setIncremental(way != Way::AtOnce);
            const QString thrown = refusal([&] {
                open(q, u"select *, "_s + boom + u" as boom from many"_s);
                if (way == Way::ToASort)
                    q.setSort(u"amount DESC"_s);
            });
            QTRY_VERIFY(!q.active());
            const QString failure = way == Way::InATurn ? told.value(0) : thrown;
            QCOMPARE(failure.section(u'\n', 0, 0), db::message::readFailed);
            QVERIFY2(failure.section(u'\n', 1).contains(u"integer overflow"_s), qPrintable(failure));
            QVERIFY(q.fetchedCount() == 0 && q.recordCount() == 0 && !q.hasMoreRows());
        }
        QCOMPARE(told.size(), 1);
        db::feedback::install({});
        QVERIFY(!refusal([&] { db::detail::scalar(c(), u"select max("_s + boom + u") from many"_s, {}); }).isEmpty());
    }

    // The count and sums come from one aggregate over the statement as it is, its ordering left out, its limit
    // kept; they come through the event loop. A refresh asks them again of the rows read again, answered or not;
    // a new statement gives them up.
    void totalsFromOneAggregateOverTheStatement()
    {
        createMany();
        const qint64 sum = db::detail::scalar(c(), u"select sum(amount) from many"_s, {}).toLongLong();
        Query q(c(), u"q"_s);
        q.setIncremental(true);
        QList<Query::Totals> answers;
        const auto total = [&] {
            q.whenTotalled({u"amount"_s}, [&answers](const Query::Totals &counted) { answers << counted; });
        };
        q.add(u"select * from many where amount > ?"_s, 0);
        q.setOrdering(u" order by amount desc"_s);
        q.open();
        total();
        QVERIFY(answers.isEmpty() && q.totalsPending());
        c().exec(u"insert into many (amount) values (7)"_s);
        q.refresh();
        QTRY_COMPARE(answers.size(), 1);
        QCOMPARE(answers.at(0).count, 4287);
        QCOMPARE(answers.at(0).sums, (QVector<std::optional<qint64>>{sum + 7}));
        QCOMPARE(q[u"amount"_s].asInteger(), 5'000'000);
        c().exec(u"insert into many (amount) values (8)"_s);
        q.refresh(); // answered, asked again all the same
        q.finishTotals();
        QCOMPARE(answers.at(1).count, 4288);

        q.clear();
        q.add(u"select * from many"_s);
        open(q, u" order by id limit 10"_s); // a line of the statement, not its ordering
        total();
        q.finishTotals();
        QCOMPARE(answers.at(2).count, 10);
        total();
        q.clear();
        open(q, u"select * from many"_s);
        QCoreApplication::processEvents();
        QCOMPARE(answers.size(), 3);
        QVERIFY(!q.totalsPending());
    }


    // Rows deleted, added and looked for while the rest is still to be read: a deleted row's next one becomes
    // current though it was not read yet; a new row goes after the list's true last row, the rest read first;
    // a locate and a walk see the rows in their order. A list destroyed meanwhile leaves its
    // connection nothing to give up.
    void rowsChangedWhileTheRestIsRead()
    {
        createMany();
        Query q(c(), u"q"_s);
        q.setIncremental(true);
        open(q, u"select * from many"_s);
        q.setRecNo(q.fetchedCount());
        q.deleteRecord();
        QCOMPARE(q[u"id"_s].asInteger(), 1001);
        db::writeRow(q, Query::State::Insert, [](Query &row) { row[u"amount"_s].setValue(7); });
        const qint64 added = q[u"id"_s].asInteger();
        q.fetchMore(10);
        QCOMPARE(q[u"id"_s].asInteger(), added);
        QVERIFY(q.locate(u"id"_s, 3011));
        QVERIFY(q.locate(u"id"_s, added) && q.recNo() == 5000);

        auto walk = std::make_unique<Query>(c(), u"walk"_s);
        walk->setIncremental(true);
        open(*walk, u"select * from many"_s);
        db::writeRow(*walk, Query::State::Insert, [](Query &) {});
        walk->setRecNo(walk->fetchedCount() - 1);
        const qint64 lastRead = (*walk)[u"id"_s].asInteger();
        walk->next();
        QCOMPARE((*walk)[u"id"_s].asInteger(), lastRead + 1);
        walk->setRecNo(1);
        walk->refresh(); // rows pending again
        walk.reset();
        c().close();
        c().open();
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
