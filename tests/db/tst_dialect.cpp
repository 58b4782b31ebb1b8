// The statements that differ between SQL Server and SQLite: SQL Server's rendered text compared, SQLite's run
// on a real file; a live SQL Server only when TAVREL_TEST_MSSQL names one.
#include "db/connection.h"
#include "db/query.h"
#include "support/tempdb.h"
#include <QDateTime>
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
    void sqlServerStatements()
    {
        const auto dialect = db::makeDialect(db::Engine::SqlServer);
        QCOMPARE(dialect->engine(), db::Engine::SqlServer);
        QCOMPARE(dialect->createTable(u"log"_s, logColumns),
                 u"create table log (id int identity primary key, karbar nvarchar(150), code varchar(20), body ntext, "
                 "mablagh money, rate float, paid bit, big bigint, pic image, saat_sys datetime DEFAULT GETDATE())"_s);
        QCOMPARE(dialect->addColumns(u"users"_s, {{u"ostan"_s, ColumnType::NVarChar, 50}, {u"active"_s, ColumnType::Bit}}),
                 QStringList{u"alter table users add ostan nvarchar(50), active bit"_s});
        QCOMPARE(dialect->insertWithDefaults(u"log"_s, {u"karbar"_s, u"saat_sys"_s, u"cmt"_s}, {false, true, false}),
                 u"insert into log (karbar, saat_sys, cmt) values (?, DEFAULT, ?)"_s);
        QCOMPARE(dialect->insertFetchingId(u"chek"_s, {u"mablagh"_s, u"cmt"_s}),
                 QStringList{u"insert into [chek] ([mablagh], [cmt]) output inserted.[id] values (?, ?)"_s});
        QCOMPARE(dialect->insertFetchingId(u"dbo.chek"_s, {}),
                 QStringList{u"insert into [dbo].[chek] output inserted.[id] default values"_s});
        QCOMPARE(dialect->lastInsertId(), u"SELECT CAST(SCOPE_IDENTITY() AS bigint)"_s);
        QCOMPARE(dialect->now(), u"GETDATE()"_s);
        QCOMPARE(dialect->backup(u"tavrel]; drop table users --"_s),
                 u"BACKUP DATABASE [tavrel]]; drop table users --] TO DISK = ?"_s);
        QCOMPARE(dialect->quoteIdentifier(u"a]b"_s), u"[a]]b]"_s);
    }

    void sqliteRunsTheSchemaStatements()
    {
        TempDb temp;
        db::Connection &c = temp.connection();
        c.exec(c.dialect().createTable(u"log"_s, logColumns));
        const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
        c.exec(c.dialect().insertWithDefaults(u"log"_s, {u"karbar"_s, u"saat_sys"_s}, {false, true}), {u"admin"_s});
        c.exec(c.dialect().insertWithDefaults(u"log"_s, {u"karbar"_s}, {false}), {u"دوم"_s});
        db::Query q(c, u"q"_s);
        q.add(u"select * from log order by id"_s);
        q.open();
        QCOMPARE(q.recordCount(), 2);
        QCOMPARE(q[u"id"_s].asInteger(), 1);
        // The default is the local time, as GETDATE() is.
        const QDateTime stamped = q[u"saat_sys"_s].value().toDateTime();
        QVERIFY2(stamped >= before && stamped <= before.addSecs(5), qPrintable(q[u"saat_sys"_s].asString()));
        QCOMPARE(q[u"mablagh"_s].type(), db::FieldType::Money);
        QCOMPARE(q[u"paid"_s].type(), db::FieldType::Boolean);
        QCOMPARE(q[u"pic"_s].type(), db::FieldType::Blob);
        QCOMPARE(q[u"karbar"_s].size(), 150);
        q.next();
        QCOMPARE(q[u"karbar"_s].asString(), u"دوم"_s);
        QCOMPARE(q[u"id"_s].asInteger(), 2);
        q.edit();
        q[u"paid"_s].setValue(true);
        q.post();
        QCOMPARE(q[u"paid"_s].value(), QVariant(true));
        QCOMPARE(q[u"paid"_s].asInteger(), 1);
    }

};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
