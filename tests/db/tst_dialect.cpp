// The statements that differ between SQL Server and SQLite: SQL Server's rendered text compared, SQLite's run
// on a real file; a live SQL Server only when TAVREL_TEST_MSSQL names one.
#include "db/connection.h"
#include "db/query.h"
#include "db/statement.h"
#include "support/tempdb.h"
#include <QTest>

using namespace Qt::StringLiterals;
using db::ColumnDef;
using db::ColumnType;

namespace {

const QVector<ColumnDef> logColumns{
    {u"id"_s, ColumnType::Int, 0, true},
    {u"karbar"_s, ColumnType::NVarChar, 150},
    {u"code"_s, ColumnType::VarChar, 20},
    {u"body"_s, ColumnType::NText},
    {u"mablagh"_s, ColumnType::Money},
    {u"rate"_s, ColumnType::Float},
    {u"paid"_s, ColumnType::Bit},
    {u"big"_s, ColumnType::BigInt},
    {u"pic"_s, ColumnType::Image},
    {u"saat_sys"_s, ColumnType::DateTime, 0, false, true},
};

} // namespace

class TestDialect : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // (The backup statement with its quoted database name: the backup test; added columns: the schema test.)
    void sqlServerStatements()
    {
        const auto dialect = db::makeDialect(db::Engine::SqlServer);
        QCOMPARE(dialect->createTable(u"log"_s, logColumns),
                 u"create table log (id int identity primary key, karbar nvarchar(150), code varchar(20), body ntext, "
                 "mablagh money, rate float, paid bit, big bigint, pic image, saat_sys datetime DEFAULT GETDATE())"_s);
        QCOMPARE(dialect->insertWithDefaults(u"log"_s, {u"karbar"_s, u"saat_sys"_s, u"cmt"_s}, {false, true, false}),
                 u"insert into log (karbar, saat_sys, cmt) values (?, DEFAULT, ?)"_s);
        QCOMPARE(dialect->insertFetchingId(u"chek"_s, {u"mablagh"_s, u"cmt"_s}),
                 QStringList{u"insert into [chek] ([mablagh], [cmt]) output inserted.[id] values (?, ?)"_s});
        QCOMPARE(dialect->insertFetchingId(u"dbo.chek"_s, {}),
                 QStringList{u"insert into [dbo].[chek] output inserted.[id] default values"_s});
        QCOMPARE(dialect->quoteIdentifier(u"a]b"_s), u"[a]]b]"_s);
        // Made only where the table has no index of that name yet.
        QCOMPARE(
            dialect->createIndex(u"ix_payamha_rec_prs_id_send_dat"_s, u"payamha"_s, {u"rec_prs_id"_s, u"send_dat"_s}),
            u"if not exists (select 1 from sys.indexes where name = 'ix_payamha_rec_prs_id_send_dat' and "
            "object_id = object_id('payamha')) create index ix_payamha_rec_prs_id_send_dat on payamha "
            "(rec_prs_id, send_dat)"_s);
    }

    void connectionStringsAndTransactions()
    {
        db::Connection connection(u"c"_s);
        connection.setConnectionString(u"DRIVER=FreeTDS;SERVER=10.0.0.5;PORT=1433;DATABASE=tavrel;UID=sa;PWD=x;"
                                       "TDS_Version=7.4;ClientCharset=UTF-8"_s);
        QCOMPARE(connection.engine(), db::Engine::SqlServer);
        QCOMPARE(connection.databaseName(), u"tavrel"_s);
        connection.setConnectionString(u"provider=sqlite; Data Source = /tmp/x y/a.db"_s);
        QCOMPARE(connection.engine(), db::Engine::SQLite);
        QCOMPARE(connection.databaseName(), u"/tmp/x y/a.db"_s);
        // Two connections of one name are still two connections.
        TempDb first, second;
        db::Connection a(u"same"_s), b(u"same"_s);
        for (auto [connection, file] : {std::pair(&a, &first), std::pair(&b, &second)}) {
            connection->setConnectionString(file->connectionString());
            connection->open();
        }
        a.exec(u"create table only_in_a (x int)"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, b.exec(u"insert into only_in_a values (1)"_s));
        // A transaction left without commit is rolled back.
        {
            db::Transaction transaction(a);
            a.exec(u"insert into only_in_a values (1)"_s);
        }
        QCOMPARE(db::detail::scalar(a, u"select count(*) from only_in_a"_s, {}).toInt(), 0);
    }

    // Only against a real server: a row with Persian text, money, a 2 MB image and the default time goes in
    // and comes back.
    void liveSqlServer()
    {
        const QString connectionString = qEnvironmentVariable("TAVREL_TEST_MSSQL");
        if (connectionString.isEmpty())
            QSKIP("TAVREL_TEST_MSSQL holds no SQL Server connection string");
        db::Connection c(u"mssql"_s);
        c.setConnectionString(connectionString);
        c.open();
        c.exec(u"if object_id('tavrel_test') is not null drop table tavrel_test"_s);
        c.exec(c.dialect().createTable(u"tavrel_test"_s, logColumns));
        db::Query q(c, u"q"_s);
        q.add(u"select * from tavrel_test where id<>?"_s, -1);
        q.open();
        const QByteArray picture(2 * 1024 * 1024, '\x01');
        db::writeRow(q, db::Query::State::Insert, [&](db::Query &row) {
            row[u"karbar"_s].setValue(u"آزمون 'ي'"_s);
            row[u"mablagh"_s].setValue(1250000);
            row[u"pic"_s].setValue(picture);
        });
        QCOMPARE(q[u"id"_s].asInteger(), 1);
        q.refresh();
        QCOMPARE((QStringList{q[u"karbar"_s].asString(), q[u"mablagh"_s].asString()}),
                 (QStringList{u"آزمون 'ي'"_s, u"1250000"_s}));
        QVERIFY(q[u"pic"_s].asBytes() == picture && !q[u"saat_sys"_s].isNull());
        c.exec(u"drop table tavrel_test"_s);
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
