// The backup window: the file named after today's solar date in the chosen folder, an SQLite copy that opens
// with the same rows and replaces the day's earlier copy only when complete, and SQL Server's statement.
#include "Dates.h"
#include "backup_file.h"
#include "backup_u.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "support/controls.h"
#include "support/testenv.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString done = u"فايل پشتيبان تهيه شد"_s;

Tbackup &window() { return *forms::backup; }


QString todaysFile(const QString &folder) { return folder + u'/' + backup_file::fileName(shamsiToday()); }

void addPurchase(TestEnv &env, const QString &project)
{
    env.exec(u"insert into tavrelkol (prj_name, mablagh) values (?, ?)"_s, {project, 1250000});
}

// The projects of the purchases stored in a database file, read through a connection of its own.
QStringList projectsIn(const QString &file)
{
    QStringList projects;
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"backup-copy"_s);
        copy.setDatabaseName(file);
        copy.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        if (copy.open()) {
            QSqlQuery q(u"select prj_name from tavrelkol order by id"_s, copy);
            while (q.next())
                projects << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(u"backup-copy"_s);
    return projects;
}

// The files of the folder named after today's backup, temporary ones included.
QStringList backupFolderEntries(const QString &folder)
{
    const QString name = backup_file::fileName(shamsiToday());
    return QDir(folder).entryList({name + u'*'}, QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void namesTheFileAfterTheSolarDate();
    void startsInTheHomeFolder();
    void copiesTheDatabaseIntoTheChosenFolder();
    void secondBackupOfTheDayReplacesTheFirst();
    void failedBackupKeepsTheOldFile();
    void asksForAFolderWhenNoneIsSelected();
    void sqlServerStatement();
    void acceptsOnlyPlainDatabaseNames();
};

void TestBackup::namesTheFileAfterTheSolarDate()
{
    QCOMPARE(backup_file::fileName(u"1403/01/15"_s), u"Tavrel1403_01_15"_s);
    QCOMPARE(backup_file::fileName(u"1399/12/30"_s), u"Tavrel1399_12_30"_s);
    QCOMPARE(backup_file::pathIn(u"/srv/backup"_s, u"Tavrel1403_01_15"_s), u"/srv/backup/Tavrel1403_01_15"_s);
}

void TestBackup::startsInTheHomeFolder()
{
    TestEnv env;
    QCOMPARE(window().windowTitle(), u"پشتيبان گيري"_s);
    QCOMPARE(control<QLineEdit>(&window(), "database_name")->text(), u"tavrel"_s);
    QCOMPARE(window().selectedFolder(), QDir::homePath());
}

void TestBackup::copiesTheDatabaseIntoTheChosenFolder()
{
    TestEnv env;
    env.signInAs();
    addPurchase(env, u"سد کرج"_s);
    addPurchase(env, u"پل"_s);
    window().selectFolder(env.folder());
    QCOMPARE(window().selectedFolder(), env.folder());

    control<QPushButton>(&window(), "BitBtn1")->click();
    QCOMPARE(env.dialogs.errors(), QStringList{});
    QCOMPARE(env.dialogs.lastMessage(), done);
    QCOMPARE(projectsIn(todaysFile(env.folder())), (QStringList{u"سد کرج"_s, u"پل"_s}));
    QCOMPARE(backupFolderEntries(env.folder()), QStringList{backup_file::fileName(shamsiToday())});
}

void TestBackup::secondBackupOfTheDayReplacesTheFirst()
{
    TestEnv env;
    env.signInAs();
    addPurchase(env, u"سد کرج"_s);
    window().selectFolder(env.folder());
    window().BitBtn1Click();
    addPurchase(env, u"پل"_s);
    window().BitBtn1Click();
    QCOMPARE(env.dialogs.messages(), (QStringList{done, done}));
    QCOMPARE(projectsIn(todaysFile(env.folder())), (QStringList{u"سد کرج"_s, u"پل"_s}));
    QCOMPARE(backupFolderEntries(env.folder()).size(), 1); // no temporary file left behind
}

void TestBackup::failedBackupKeepsTheOldFile()
{
    TestEnv env;
    env.signInAs();
    addPurchase(env, u"سد کرج"_s);
    window().selectFolder(env.folder());
    window().BitBtn1Click();
    addPurchase(env, u"پل"_s);

    // SQLite refuses to copy a database inside a transaction: the copy fails half way through the command.
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.beginTransaction();
    env.dialogs.reset();
    control<QPushButton>(&window(), "BitBtn1")->click();
    connection.rollback();

    QCOMPARE(env.dialogs.errors().size(), 1);
    QVERIFY(!env.dialogs.messages().contains(done));
    QCOMPARE(projectsIn(todaysFile(env.folder())), QStringList{u"سد کرج"_s});
    QCOMPARE(backupFolderEntries(env.folder()).size(), 1);
}

void TestBackup::asksForAFolderWhenNoneIsSelected()
{
    TestEnv env;
    env.signInAs();
    control<QTreeView>(&window(), "ShellTreeView1")->clearSelection();
    QCOMPARE(window().selectedFolder(), QString());
    window().BitBtn1Click();
    QCOMPARE(env.dialogs.lastMessage(), u"محل فايل پشتيبان را مشخص نماييد"_s);
    QVERIFY(!QFile::exists(u"/"_s + backup_file::fileName(shamsiToday())));
}

void TestBackup::sqlServerStatement()
{
    db::Connection server(u"office-server"_s);
    server.setConnectionString(u"DRIVER=FreeTDS;SERVER=office;PORT=1433;DATABASE=tavrel"_s);
    db::Query command(server, u"ADOQuery1"_s);
    const QString path = u"/srv/o'neil/Tavrel1403_01_15"_s;
    backup_file::prepare(command, u"tavrel"_s, path);
    QCOMPARE(command.text(), u"BACKUP DATABASE [tavrel] TO DISK = ?"_s);
    QCOMPARE(command.bindings(), QVariantList{path}); // a quote in the folder's name stays inside the path
}

void TestBackup::acceptsOnlyPlainDatabaseNames()
{
    for (const QString &name : {u"tavrel"_s, u"_old2"_s, u"Tavrel_1403"_s, u"تدارکات"_s})
        QVERIFY2(backup_file::isPlainIdentifier(name), qPrintable(name));
    for (const QString &name : {QString(), u"1tavrel"_s, u"tavrel x"_s, u"tavrel]"_s, u"[tavrel]"_s,
                                u"tavrel TO DISK='c:\\x'; DROP DATABASE tavrel --"_s, QString(129, u'a')})
        QVERIFY2(!backup_file::isPlainIdentifier(name), qPrintable(name));
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
