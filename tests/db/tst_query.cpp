// The client-side dataset on a real SQLite file: statements and bound values, navigation, writes to the
// base table, conversions, blobs, sorting, calculated and declared fields.
#include "db/query.h"
#include "db/statement.h"
#include "dm_u.h"
#include "support/refusal.h"
#include "support/tempdb.h"
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using db::FieldDef;
using db::FieldType;
using db::Query;

class TestQuery : public QObject {
    Q_OBJECT

private:
    TempDb temp;
    db::Connection &c() { return temp.connection(); }

    // Rows of people: name, city, amount (money), pic (blob).
    void fillPeople()
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

    QStringList column(Query &q, const QString &field)
    {
        QStringList values;
        for (int row = 0; row < q.recordCount(); ++row)
            values << q.textAt(row, q.fieldIndex(field));
        return values;
    }

    // The statement given to the query and opened.
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
    void init() { fillPeople(); }


    void refusedStatementsLeaveTheFileFreeToClose()
    {
        // Each refusal comes after the statement was prepared; a statement left unfinalized keeps the
        // file open past close(), and then its write-ahead log is never folded back and removed.
        const QString file = temp.folder() + u"/refusals.db"_s;
        db::Connection own(u"own"_s);
        own.setConnectionString(u"Provider=SQLite;Data Source="_s + file);
        own.open();
        own.exec(u"create table t (a int)"_s);
        QVERIFY(QFile::exists(file + u"-wal"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, own.exec(u"insert into t values (?)"_s, {1, 2}));
        QVERIFY_THROWS_EXCEPTION(db::Error, own.exec(u"insert into t values (1); select 1"_s));
        QVERIFY_THROWS_EXCEPTION(db::Error, db::detail::scalar(own, u"select ?"_s, {}));
        own.close();
        QVERIFY(!own.connected());
        QVERIFY2(!QFile::exists(file + u"-wal"_s), "the file was left open");
        own.open();
        QCOMPARE(own.exec(u"insert into t values (?)"_s, {1}), 1);
        own.close();
        QVERIFY(QFile::remove(file));
    }

    void boundValuesKeepQuotesAndPersianText()
    {
        const QString name = u"O'Brien \"ي\" ک؛ %_"_s;
        QCOMPARE(c().exec(u"update people set name = ? where score = ?"_s, {name, 2}), 1);
        Query q(c(), u"q"_s);
        q.add(u"select * from people where id<>-1 "_s);
        q.add(u" and name like ?"_s, u"%"_s + u"'Brien \"ي"_s + u"%"_s);
        q.add(u" and score >= ? and score <= ?"_s, 1, 3);
        QCOMPARE(q.bindings().size(), 3);
        QCOMPARE(q.text().count(u'\n'), 2);
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q[u"NAME"_s].asString(), name);
        // "%" and "_" typed into a filter stay wildcards.
        q.clear();
        q.add(u"select * from people where name like ?"_s, u"%ل_د%"_s);
        q.open();
        QCOMPARE(q[u"name"_s].asString(), u"لادن"_s);
    }


    void appendEditDeleteReachTheTable()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people where score < ?"_s, 100);
        q.open();
        QSignalSpy inserted(&q, &Query::rowInserted);
        q.append();
        QCOMPARE(q.state(), Query::State::Insert);
        QCOMPARE(q.recNo(), 6);
        q[u"name"_s].setValue(u"آرش"_s);
        q[u"amount"_s].setString(u"700"_s);
        q[u"score"_s].setValue(50);
        q.post();
        QCOMPARE(inserted.count(), 1);
        const qint64 id = q[u"id"_s].asInteger();
        QCOMPARE(id, 6);
        QCOMPARE(count(u"id = 6 and name = 'آرش' and amount = 700"_s), 1);

        // An insert in the middle gets its own id too, and cancel takes a new row back.
        q.setRecNo(2);
        q.insert();
        QCOMPARE(q.recNo(), 2);
        q[u"name"_s].setValue(u"x"_s);
        q.cancel();
        QCOMPARE(q.recordCount(), 6);
        QCOMPARE(q[u"name"_s].asString(), u"پرويز"_s);

        q.edit();
        q[u"city"_s].clear();
        q[u"score"_s].setValue(u"77"_s);
        QCOMPARE(q[u"score"_s].asInteger(), 77);
        q.post();
        QCOMPARE(count(u"name = 'پرويز' and city is null and score = 77"_s), 1);

        // Cancelling an edit restores what was read.
        q.edit();
        q[u"score"_s].setValue(1);
        q.cancel();
        QCOMPARE(q[u"score"_s].asInteger(), 77);

        // A pending edit is stored when the current row moves.
        q.edit();
        q[u"score"_s].setValue(78);
        q.next();
        QCOMPARE(count(u"score = 78"_s), 1);

        q.setRecNo(2);
        q.deleteRecord();
        QCOMPARE(count(u"name = 'پرويز'"_s), 0);
        QCOMPARE(q.recordCount(), 5);
        QCOMPARE(q[u"name"_s].asString(), u"بهرام"_s);
        q.last();
        q.deleteRecord();
        QCOMPARE(q.recNo(), 4);

        // A row someone else deleted cannot be written or deleted silently.
        c().exec(u"delete from people where id = ?"_s, {q[u"id"_s].value()});
        q.edit();
        q[u"score"_s].setValue(5);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.post());
        QCOMPARE(q.state(), Query::State::Edit);
        q.cancel();
        QVERIFY_THROWS_EXCEPTION(db::Error, q.deleteRecord());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"score"_s].setValue(1));
    }

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
        q.setRecNo(3);
        const QString refused = refusal([&] { db::writeRow(q, Query::State::Insert, written(u"نو"_s)); });
        QVERIFY2(refused.contains(u"refused"_s), qPrintable(refused));
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

        c().exec(u"drop trigger refuse_insert"_s);
        c().exec(u"drop trigger refuse_update"_s);
        db::writeRow(q, Query::State::Edit, written(u"نو"_s));
        db::writeRow(q, Query::State::Insert, written(u"نوتر"_s));
        QCOMPARE(q.state(), Query::State::Browse);
        QCOMPARE(count(u"name in ('نو', 'نوتر')"_s), 2);
    }

    void emptyListsAndRefresh()
    {
        Query q(c(), u"q"_s);
        open(q, u"select * from people where score > 100"_s);
        QVERIFY(q.isEmpty() && q.eof() && q.bof());
        QCOMPARE(q.recNo(), 0);
        QVERIFY(q[u"name"_s].isNull());
        QCOMPARE(q[u"amount"_s].asCurrency(), 0);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.deleteRecord());
        // Editing an empty list starts a new row.
        q.edit();
        QCOMPARE(q.state(), Query::State::Insert);
        q[u"score"_s].setValue(200);
        q[u"name"_s].setValue(u"نو"_s);
        q.post();

        c().exec(u"insert into people (name, score) values ('الف', 300)"_s);
        q.refresh();
        QCOMPARE(q.recordCount(), 2);
        QCOMPARE(q[u"name"_s].asString(), u"نو"_s);
        q.setSort(u"score DESC"_s);
        c().exec(u"insert into people (name, score) values ('ب', 250)"_s);
        q.refresh();
        QCOMPARE(q.sort(), u"score DESC"_s);
        QCOMPARE(column(q, u"score"_s), (QStringList{u"300"_s, u"250"_s, u"200"_s}));
    }

    void nullsAndNumbersConvertLikeTheOlderEngine()
    {
        Query q(c(), u"q"_s);
        q.add(u"select name, city, amount, score, '1250000.0000' as driver_money, 'abc' as word, '' as blank,"
              " 2.5 as half from people where score = 0"_s);
        q.open();
        QCOMPARE(q[u"city"_s].asString(), QString());
        QVERIFY(!q[u"city"_s].value().isValid());
        QCOMPARE(q[u"city"_s].asInteger(), 0);
        QCOMPARE(q[u"city"_s].asFloat(), 0.0);
        QCOMPARE(q[u"amount"_s].type(), FieldType::Money);
        QCOMPARE(q[u"amount"_s].asCurrency(), 1250000);
        QCOMPARE(q[u"amount"_s].asString(), u"1250000"_s);
        QCOMPARE(q[u"driver_money"_s].asCurrency(), 1250000);
        QCOMPARE(q[u"half"_s].asCurrency(), 3);
        QCOMPARE(q[u"half"_s].asString(), u"2.5"_s);
        QCOMPARE(q[u"score"_s].asString(), u"0"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asInteger());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asFloat());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"word"_s].asCurrency());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"blank"_s].asInteger());
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"name"_s].asFloat());

        // With declared fields the declared type decides: a money text reads as whole rials.
        q.close();
        q.setDeclaredFields({{u"driver_money"_s, FieldType::Money}, {u"name"_s, FieldType::WideText, 50}});
        q.open();
        QCOMPARE(q.fieldCount(), 2);
        QCOMPARE(q.field(0).asString(), u"1250000"_s);
        QCOMPARE(q.field(0).value(), QVariant(qint64(1250000)));

        // A number field refuses a text that is no number, and an empty text clears it.
        Query people(c(), u"people"_s);
        open(people, u"select * from people where score = 0"_s);
        people.edit();
        QVERIFY_THROWS_EXCEPTION(db::Error, people[u"amount"_s].setValue(u"12a"_s));
        people[u"amount"_s].setValue(u""_s);
        QVERIFY(people[u"amount"_s].isNull());
        people.post();
        QCOMPARE(count(u"score = 0 and amount is null"_s), 1);
    }

    void blobsRoundTripThroughFiles()
    {
        QByteArray bytes(1536 * 1024 + 7, Qt::Uninitialized);
        QRandomGenerator generator(42);
        for (char &byte : bytes)
            byte = char(generator.bounded(256));
        bytes[10] = '\0';
        const QString in = temp.folder() + u"/in.bin"_s;
        const QString out = temp.folder() + u"/out.bin"_s;
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4 * 1024 * 1024, 'x')); // overwritten, not appended to
        old.close();

        Query q(c(), u"q"_s);
        open(q, u"select * from people where score = 3"_s);
        q.edit();
        q[u"pic"_s].loadFromFile(in);
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"pic"_s].loadFromFile(temp.folder() + u"/missing"_s));
        q.post();

        Query back(c(), u"back"_s);
        open(back, u"select pic from people where score = 3"_s);
        QCOMPARE(back.fieldType(0), FieldType::Blob);
        back.field(0).saveToFile(out);
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll() == bytes);
    }

    void sortTogglesAndKeepsTheCurrentRecord()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.setSort(u"name ASC"_s));
        q.open();
        QVERIFY(q.locate(u"name"_s, u"گلاره"_s));
        q.setSort(u"name ASC"_s);
        // Persian order, not code points: پ before ت, گ before ل.
        QCOMPARE(column(q, u"name"_s), (QStringList{u"بهرام"_s, u"پرويز"_s, u"تقي"_s, u"گلاره"_s, u"لادن"_s}));
        QCOMPARE(q[u"name"_s].asString(), u"گلاره"_s);
        QCOMPARE(q.recNo(), 4);
        q.setSort(u"name DESC"_s);
        QCOMPARE(q.sort(), u"name DESC"_s);
        QCOMPARE(column(q, u"name"_s).first(), u"لادن"_s);
        QCOMPARE(q.recNo(), 2);
        QCOMPARE(q[u"name"_s].asString(), u"گلاره"_s);

        // Numbers by value, nulls first when ascending and last when descending.
        q.setSort(u"amount ASC"_s);
        QCOMPARE(column(q, u"amount"_s), (QStringList{QString(), u"9"_s, u"10"_s, u"40"_s, u"1250000"_s}));
        q.setSort(u"amount  desc"_s);
        QCOMPARE(column(q, u"amount"_s), (QStringList{u"1250000"_s, u"40"_s, u"10"_s, u"9"_s, QString()}));
        q.setSort(u"city ASC"_s);
        QCOMPARE(column(q, u"city"_s).mid(0, 3), (QStringList{QString(), QString(), QString()}));
        // Equal values keep the fetched order.
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

    void calculatedFieldsAreFilledForEveryRowRead()
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
        QCOMPARE(calls, 0); // filled when first read: a large list costs only the rows shown
        QCOMPARE(q.fieldCount(), 4);
        QCOMPARE(q.fieldName(2), u"twice"_s);
        QCOMPARE(column(q, u"twice"_s), (QStringList{u"2500000"_s, u"80"_s, u"-"_s, u"18"_s, u"20"_s}));
        QCOMPARE(q.textAt(4, 2), u"20"_s);
        QCOMPARE(calls, 5); // once per row
        QVERIFY(q.isCalculated(2));

        q.setRecNo(2);
        q.edit();
        QVERIFY_THROWS_EXCEPTION(db::Error, q[u"id"_s].setValue(9)); // read-only
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

        // Sorting by a calculated field fills every row first; a row the handler refuses keeps it empty.
        q.setCalcFields([](Query &row) {
            if (row.fieldByName(u"amount"_s).isNull())
                throw db::Error(u"no amount"_s);
            row.fieldByName(u"twice"_s).setValue(QString::number(row.fieldByName(u"amount"_s).asCurrency() * 2));
        });
        q.refresh();
        q.setSort(u"twice DESC"_s);
        QCOMPARE(column(q, u"twice"_s), (QStringList{u"82"_s, u"2500000"_s, u"20"_s, u"10"_s, QString()}));

        // A declared field the result lacks is an error at open.
        q.clear();
        q.add(u"select name from people"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, q.open());
        QVERIFY(!q.active());
    }


    void connectionOpensTheFileInWalModeAndReportsRefusals()
    {
        QVERIFY(QFile::exists(temp.file()));
        QCOMPARE(c().databaseName(), temp.file());
        QCOMPARE(c().engine(), db::Engine::SQLite);
        QCOMPARE(db::detail::scalar(c(), u"PRAGMA journal_mode"_s, {}).toString(), u"wal"_s);
        QCOMPARE(db::detail::scalar(c(), u"PRAGMA busy_timeout"_s, {}).toInt(), 5000);

        const QString refused = refusal([&] { c().exec(u"insert into nowhere values (1)"_s); });
        QVERIFY2(refused.contains(u"nowhere"_s), qPrintable(refused));

        db::Connection bad(u"bad"_s);
        bad.setConnectionString(u"Provider=SQLite;Data Source="_s + temp.folder());
        QVERIFY_THROWS_EXCEPTION(db::Error, bad.open());
        QVERIFY(!bad.connected());
    }

    void navigationFollowsTheOlderEngine()
    {
        Query q(c(), u"q"_s);
        q.add(u"select * from people order by score"_s);
        QVERIFY(q.eof());
        QVERIFY_THROWS_EXCEPTION(db::Error, q.next());
        q.open();
        QCOMPARE(q.recNo(), 1);
        QVERIFY(q.bof() && !q.eof());
        QStringList seen;
        for (; !q.eof(); q.next())
            seen << q[u"score"_s].asString();
        QCOMPARE(seen, (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
        QCOMPARE(q.recNo(), 5);
        q.setRecNo(99);
        QCOMPARE(q.recNo(), 5);
        q.first();
        q.prior();
        QVERIFY(q.bof());
        QCOMPARE(q.recNo(), 1);
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

    void joinStatementWritesItsBaseTableOnly()
    {
        Tdm dm;
        Query &q = *dm.ADOQ_tavrel;
        QCOMPARE(q.baseTable(), u"tavrelkol"_s);
        // The table of the declared fields, but for the count that comes from the join.
        QVector<db::ColumnDef> columns;
        for (const FieldDef &field : q.declaredFields()) {
            if (field.name == u"id"_s)
                columns.prepend({field.name, db::ColumnType::Int, 0, true});
            else if (field.type == FieldType::Money)
                columns.append({field.name, db::ColumnType::Money});
            else if (field.type == FieldType::Integer && !field.readOnly)
                columns.append({field.name, db::ColumnType::Int});
            else if (field.type == FieldType::WideText)
                columns.append({field.name, db::ColumnType::NVarChar, field.size});
        }
        QCOMPARE(columns.size(), 24);
        c().exec(c().dialect().createTable(u"tavrelkol"_s, columns));
        c().exec(c().dialect().createTable(u"tavrelkol_pic"_s, {{u"id"_s, db::ColumnType::Int, 0, true},
                                                               {u"tavrelkol_id"_s, db::ColumnType::Int}}));
        c().exec(u"insert into tavrelkol (prj_name, mablagh) values ('a', 10), ('b', 20)"_s);
        c().exec(u"insert into tavrelkol_pic (tavrelkol_id) values (2), (2)"_s);

        // A connection that was never opened stays closed: statements on it are refused, none opens it.
        dm.ADOConnection1.setConnectionString(temp.connectionString());
        QCOMPARE(refusal([&] { q.open(); }), db::message::notConnected);
        QVERIFY(!dm.ADOConnection1.connected());
        dm.ADOConnection1.open();
        q.open();
        QCOMPARE(q.fieldCount(), 25);
        QCOMPARE(q.fieldName(13), u"pic_count"_s);
        QCOMPARE(q.recordCount(), 2);
        QVERIFY(q.locate(u"id"_s, 2));
        QCOMPARE(q[u"pic_count"_s].asInteger(), 2);
        q.edit();
        q[u"mablagh"_s].setValue(25);
        q[u"mozo"_s].setValue(u"خريد"_s);
        q.post();
        q.append();
        q[u"prj_name"_s].setValue(u"c"_s);
        q.post();
        QCOMPARE(q[u"id"_s].asInteger(), 3);
        QCOMPARE(q[u"pic_count"_s].asString(), QString());
        Query check(c(), u"check"_s);
        open(check, u"select sum(mablagh) as m, count(*) as c, max(mozo) as mozo from tavrelkol"_s);
        QCOMPARE(check[u"m"_s].asCurrency(), 35);
        QCOMPARE(check[u"c"_s].asInteger(), 3);
        QCOMPARE(check[u"mozo"_s].asString(), u"خريد"_s);
        // Its declared statement comes back after a page changed the text.
        q.clear();
        q.add(u"select * from tavrelkol"_s);
        q.restoreDeclared();
        QCOMPARE(q.lines().size(), 2);
        QCOMPARE(q.lines().at(1), u" ON tavrelkol.ID =  B.tavrelkol_id "_s);
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
