// Several users on one SQLite file, each with a connection of their own: edits of one row, a file another program
// holds (and a check with the insert it guards), and another program's checkpoint while a long list is open.
// (A read that fails part-way: tst_query.)
#include "db/query.h"
#include "db/statement.h"
#include "support/refusal.h"
#include "support/tempdb.h"
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;
using db::Query;

class TestSharedFile : public QObject {
    Q_OBJECT

    TempDb temp;

    // A second user's connection to the same file.
    std::unique_ptr<db::Connection> another(const QString &name, int busyMilliseconds = 5000)
    {
        auto connection = std::make_unique<db::Connection>(name);
        connection->setConnectionString(temp.connectionString());
        connection->setTimeouts({15, 30, busyMilliseconds});
        connection->open();
        return connection;
    }

    QVariant value(const QString &sql) { return db::detail::scalar(temp.connection(), sql, {}); }

private Q_SLOTS:
    void init()
    {
        db::Connection &c = temp.connection();
        c.exec(u"drop table if exists purchase"_s);
        c.exec(u"create table purchase (id integer primary key autoincrement, cmt nvarchar(150), "
               "pardakhti nvarchar(70), mablagh money, note nvarchar(50))"_s);
        c.exec(u"insert into purchase (cmt, pardakhti, mablagh) values ('a', 'پرداخت نشد', 1000), "
               "('x', '', 1250000.4)"_s);
    }

    void editsOfOneRowByTwoUsers()
    {
        const auto b = another(u"b"_s);
        Query clerkA(temp.connection(), u"a"_s), clerkB(*b, u"b"_s);
        for (Query *clerk : {&clerkA, &clerkB}) {
            clerk->add(u"select * from purchase order by id"_s);
            clerk->open();
        }

        // B pays; A, who read the row before, changes only its remark: only the remark is written. (A change of
        // the amount B changed since A read it is refused: the purchase entry test.)
        db::writeRow(clerkB, Query::State::Edit, [](Query &q) {
            q[u"pardakhti"_s].setValue(u"پرداخت شد"_s);
            q[u"mablagh"_s].setValue(2500);
        });
        db::writeRow(clerkA, Query::State::Edit, [](Query &q) { q[u"cmt"_s].setValue(u"b"_s); });
        QCOMPARE(value(u"select cmt||'|'||pardakhti||'|'||mablagh from purchase where id=1"_s).toString(),
                 u"b|پرداخت شد|2500"_s);

        // An edit that sets what the row held when read (an empty text over a null too) writes nothing.
        const qint64 changes = value(u"select total_changes()"_s).toLongLong();
        clerkA.edit();
        clerkA[u"cmt"_s].setValue(u"b"_s);
        clerkA[u"mablagh"_s].setValue(1000);
        clerkA[u"note"_s].setValue(u""_s);
        clerkA.post();
        QCOMPARE(value(u"select total_changes()"_s).toLongLong(), changes);
        QVERIFY(clerkA[u"note"_s].isNull());

        // A stored amount with a fraction reads as the whole rials shown; it still counts as unchanged.
        QVERIFY(clerkA.locate(u"id"_s, 2));
        QCOMPARE(clerkA[u"mablagh"_s].asCurrency(), 1250000);
        db::writeRow(clerkA, Query::State::Edit, [](Query &q) { q[u"mablagh"_s].setValue(1300000); });
        QCOMPARE(value(u"select mablagh from purchase where id=2"_s).toLongLong(), 1300000);

        // B's delete of the row A changed since B read it is refused; read again, it goes. Then A's edit of the row B
        // deleted meanwhile. (The pages' delete: every page's test.)
        QVERIFY(clerkB.locate(u"id"_s, 2));
        QCOMPARE(refusal([&] { clerkB.deleteRecord(); }), db::message::rowChanged);
        clerkB.refresh();
        QVERIFY(clerkB.locate(u"id"_s, 2));
        clerkB.deleteRecord();
        const auto remark = [](Query &q) { q[u"cmt"_s].setValue(u"y"_s); };
        QCOMPARE(refusal([&] { db::writeRow(clerkA, Query::State::Edit, remark); }), db::message::rowDeleted);
    }

    // Another program's transaction holds the write lock from its start: readers still read, but a check that
    // guards a write (a transaction begun) and a write wait for the lock, then give up with the Persian text; once
    // the lock is let go they go on. (Two first starts of the schema, each waiting for the other: tst_schema.)
    void fileHeldByAnotherProgramIsToldInPersian()
    {
        const auto holder = another(u"holder"_s);
        holder->beginTransaction();
        const auto b = another(u"b"_s, 200);
        QCOMPARE(db::detail::scalar(*b, u"select count(*) from purchase"_s, {}).toInt(), 2);
        const std::function<void()> guardedWrite[] = {[&] { b->beginTransaction(); },
                                                      [&] { b->exec(u"insert into purchase (cmt) values ('z')"_s); }};
        for (const auto &work : guardedWrite) {
            const db::Error error = thrown(work);
            QCOMPARE(std::pair(error.kind(), error.text()), std::pair(db::Error::Kind::Locked, db::message::locked));
        }
        holder->rollback();
        b->beginTransaction();
        QCOMPARE(b->exec(u"insert into purchase (cmt) values ('z')"_s), 1);
        b->commit();
    }

    // A long list holds its reader only while it reads: once its last row is read (the list still open), or once
    // it is closed, searched again or destroyed, another program's checkpoint folds every save back, and the -wal
    // file is emptied.
    void checkpointWhileALongListIsOpen()
    {
        temp.connection().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 20000) "
                               u"insert into purchase (cmt) select n from r"_s);
        const auto other = another(u"other"_s, 100);
        const std::function<void(std::unique_ptr<Query> &)> ends[] = {
            [](std::unique_ptr<Query> &list) { QTRY_VERIFY(!list->hasMoreRows()); },
            [](std::unique_ptr<Query> &list) { list->close(); },
            [](std::unique_ptr<Query> &list) {
                list->clear();
                list->add(u"select * from purchase where id < 10"_s);
                list->open();
            },
            [](std::unique_ptr<Query> &list) { list.reset(); },
        };
        for (int saves = 0; const auto &end : ends) {
            auto list = std::make_unique<Query>(temp.connection(), u"list"_s);
            list->setIncremental(true);
            list->add(u"select * from purchase"_s);
            list->open();
            QVERIFY(list->hasMoreRows());
            other->exec(u"update purchase set note = ? where id < 3000"_s, {++saves});
            end(list);
            const QVariantList done = db::detail::firstRow(*other, u"pragma wal_checkpoint(truncate)"_s, {});
            QCOMPARE(done.value(0).toInt(), 0); // not busy
            QCOMPARE(QFileInfo(temp.file() + u"-wal"_s).size(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestSharedFile)
#include "tst_shared_file.moc"
