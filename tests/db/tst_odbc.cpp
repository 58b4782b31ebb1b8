// The data layer against a SQL Server played by the test: a list read a slice at a time, a link cut in the
// middle of a result (the list closed, told in Persian, the connection closed, the next statement reconnects,
// again after a failed attempt), a server that stops answering (a statement is given up within the connection's
// statement time, shortened here, with the Persian text and the driver's reason) while the backup's statement,
// without a limit, waits for its answer.
#include "db/connection.h"
#include "db/query.h"
#include "support/refusal.h"
#include "support/sql_server_stand_in.h"
#include <QElapsedTimer>
#include <QTest>
#include <thread>

using namespace Qt::StringLiterals;

class TestOdbc : public QObject {
    Q_OBJECT

    // Connected with a time of 2 s to connect and 3 s for a statement.
    static void connectTo(db::Connection &connection, const SqlServerStandIn &server)
    {
        connection.setConnectionString(server.connectionString());
        connection.setTimeouts({2, 3, 5000});
        connection.open();
    }

private Q_SLOTS:
    void slicesThenALinkCutDuringAFetch()
    {
        SqlServerStandIn server;
        db::Connection connection(u"cut"_s);
        connectTo(connection, server);
        QVERIFY(server.received(u"SET TEXTSIZE 2147483647"_s)); // a driver's setting never cuts a file short
        // The connection carries one result at a time: another statement first reads the rest of the list.
        db::Query list(connection, u"list"_s);
        list.setIncremental(true);
        list.add(u"select n from numbers"_s);
        list.open();
        QVERIFY(list.hasMoreRows() && list.fetchedCount() < 3000);
        connection.exec(u"select 1"_s);
        QVERIFY(!list.hasMoreRows());
        QCOMPARE(list.textAt(2999, 0), u"3000"_s);
        // So does the driver's question for a table's columns before a write (the stand-in then knows no table).
        list.clear();
        list.add(u"select n from t where 'numbers' <> ''"_s);
        list.open();
        list.edit();
        list.fieldByName(u"n"_s).setValue(5);
        QVERIFY(refusal([&] { list.post(); }).contains(u"'t' not found"_s));
        QVERIFY(!list.hasMoreRows() && server.received(u"sp_columns"_s));

        list.clear();
        list.add(u"select n from cut"_s);
        const db::Error error = thrown([&] { list.open(); });
        // The list's read cut short, then why: the link lost, and the driver's reason.
        QCOMPARE(error.kind(), db::Error::Kind::LinkLost);
        QCOMPARE(error.text().section(u'\n', 0, 1), db::message::readFailed + u'\n' + db::message::linkLost);
        QVERIFY2(error.text().section(u'\n', 2).contains(u"EOF"_s), qPrintable(error.text()));
        QVERIFY(!list.active() && !connection.connected());
        // The next statement signs in again, and after a failed attempt (the server down) the next tries again; a
        // connection closed on purpose stays closed.
        server.setRefusing(true);
        const db::Error refused = thrown([&] { connection.exec(u"select 1"_s); });
        QCOMPARE(refused.kind(), db::Error::Kind::NotConnected);
        QCOMPARE(refused.text().section(u'\n', 0, 0), db::message::notConnected);
        QVERIFY(!connection.connected());
        server.setRefusing(false);
        connection.exec(u"select 1"_s);
        QCOMPARE(server.logins(), 2);
        connection.close();
        QCOMPARE(thrown([&] { connection.exec(u"select 1"_s); }).kind(), db::Error::Kind::NotConnected);
    }

    // A statement the server never answers, nor its cancel, is given up within its limit of 3 s, the wait for
    // the cancel's answer included. The backup (no limit) waits until that statement, sent after it on another
    // connection, has been given up: had it a limit of its own, it would have been given up first.
    void statementsAreGivenUpButTheBackupWaits()
    {
        SqlServerStandIn server;
        db::Error silent(QString{});
        qint64 silentMs = 0;
        bool silentConnectionClosed = false;
        std::thread other([&] {
            db::Connection connection(u"silent"_s);
            connectTo(connection, server);
            server.waitForRequest(u"hold"_s);
            QElapsedTimer clock;
            clock.start();
            silent = thrown([&] { connection.exec(u"select 'silent'"_s); });
            silentMs = clock.elapsed();
            silentConnectionClosed = !connection.connected();
        });
        db::Connection backup(u"backup"_s);
        connectTo(backup, server);
        const QString backupRefused = refusal([&] {
            const db::StatementLimit noLimit(backup, 0);
            backup.exec(u"BACKUP DATABASE hold TO DISK = 'x'"_s);
        });
        other.join();
        QCOMPARE(backupRefused, QString());
        QCOMPARE(backup.timeouts().statementSeconds, 3);
        QVERIFY2(silentMs < 3000, qPrintable(QString::number(silentMs)));
        QCOMPARE(server.cancelled(), QStringList{u"silent"_s});
        QCOMPARE(silent.kind(), db::Error::Kind::Timeout);
        QCOMPARE(silent.text().section(u'\n', 0, 0), db::message::timeout);
        QVERIFY2(!silent.text().section(u'\n', 1).isEmpty(), qPrintable(silent.text()));
        // The server never answered the cancel either: the link is given up with it.
        QVERIFY(silentConnectionClosed);
    }
};

QTEST_GUILESS_MAIN(TestOdbc)
#include "tst_odbc.moc"
