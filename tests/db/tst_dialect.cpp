// The SQL Server text of the statements that differ between SQL Server and SQLite (SQLite's run in every test).
#include "db/connection.h"
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

};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
