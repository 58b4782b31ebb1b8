// Several users on one SQLite file, each with a connection of their own: edits of one row, a check and the
// insert it guards, a file another program holds, and another program's checkpoint while a long list is open.
// (A read that fails part-way: tst_query.)
#include "db/query.h"
#include "db/statement.h"
#include "support/refusal.h"
#include "support/tempdb.h"
#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <atomic>
#include <sqlite3.h>
#include <thread>

using namespace Qt::StringLiterals;
using db::Query;

namespace {

// B's busy handler: tells A that B met A's lock, then naps while it waits (5 s at most).
struct LockMet {
    std::atomic<int> state = 0; // 1: B met the lock; 2: B ended without meeting it
    void tell(int what)
    {
        int none = 0;
        state.compare_exchange_strong(none, what);
        state.notify_all();
    }
    static int wait(void *self, int attempts)
    {
        static_cast<LockMet *>(self)->tell(1);
        QThread::usleep(250);
        return attempts < 20000;
    }
};

} // namespace

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

    void checkThenInsertWaitsForTheOtherCommit()
    {
        // A takes the write lock and checks; B's check meets A's lock and waits until A's insert is committed,
        // so B sees it. A commits only once B has met the lock.
        db::Connection &a = temp.connection();
        a.beginTransaction();
        QCOMPARE(value(u"select count(*) from purchase where cmt='new'"_s).toInt(), 0);
        LockMet lockMet;
        int seen = -1;
        QString failure;
        std::thread clerkB([&] {
            try {
                const auto b = another(u"b"_s);
                sqlite3_busy_handler(db::detail::sqliteHandle(*b), &LockMet::wait, &lockMet);
                b->beginTransaction();
                seen = db::detail::scalar(*b, u"select count(*) from purchase where cmt='new'"_s, {}).toInt();
                if (seen == 0)
                    b->exec(u"insert into purchase (cmt) values ('new')"_s);
                b->commit();
            } catch (const db::Error &error) {
                failure = error.text();
            }
            lockMet.tell(2); // a B that never met the lock lets A go on too
        });
        lockMet.state.wait(0);
        const bool waited = lockMet.state == 1;
        const QString refusedToA = refusal([&] {
            a.exec(u"insert into purchase (cmt) values ('new')"_s);
            a.commit();
        });
        clerkB.join();
        QCOMPARE(refusedToA, QString());
        QCOMPARE(failure, QString());
        QVERIFY(waited);
        QCOMPARE(seen, 1);
        QCOMPARE(value(u"select count(*) from purchase where cmt='new'"_s).toInt(), 1);
    }

    void fileHeldByAnotherProgramIsToldInPersian()
    {
        const auto holder = another(u"holder"_s);
        holder->beginTransaction();
        const auto b = another(u"b"_s, 200);
        // Readers still read; a write waits for the lock, then gives up with the Persian text.
        QCOMPARE(db::detail::scalar(*b, u"select count(*) from purchase"_s, {}).toInt(), 2);
        const db::Error error = thrown([&] { b->exec(u"insert into purchase (cmt) values ('z')"_s); });
        QCOMPARE(error.kind(), db::Error::Kind::Locked);
        QCOMPARE(error.text(), db::message::locked);
        holder->rollback();
        QCOMPARE(b->exec(u"insert into purchase (cmt) values ('z')"_s), 1);
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
