// The backup window: today's copy in the chosen folder, replaced only when complete; SQL Server's statement.
#include "persian/Dates.h"
#include "backup_file.h"
#include "backup_u.h"
#include "db/error.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "support/attachment_files.h"
#include "support/permissions_hold.h"
#include "support/testenv.h"
#include "ui_backup_u.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString done = u"فايل پشتيبان تهيه شد"_s;

Tbackup &window() { return *forms::backup; }
void click() { window().ui->BitBtn1->click(); }

// The purchases' projects in today's backup of the folder, read through a connection of its own.
QStringList projectsInBackup(const QString &folder)
{
    QStringList projects;
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"backup-copy"_s);
        copy.setDatabaseName(folder + u'/' + backup_file::fileName(shamsiToday()));
        copy.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        if (copy.open())
            for (QSqlQuery q(u"select prj_name from tavrelkol order by id"_s, copy); q.next();)
                projects << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(u"backup-copy"_s);
    return projects;
}

// The files of the folder named after today's backup, temporary ones included.
int backupFiles(const QString &folder)
{
    const QString today = backup_file::fileName(shamsiToday()) + u'*';
    return int(QDir(folder).entryList({today}, QDir::Files | QDir::Hidden).size());
}

pid_t goneProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// While it lives, writes past the limit come up short, as they do on a full disk.
struct DiskWithRoomFor {
    rlimit kept{};
    explicit DiskWithRoomFor(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &kept);
        const rlimit limited{bytes, kept.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~DiskWithRoomFor() { setrlimit(RLIMIT_FSIZE, &kept); }
};

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    // A copy replaces the day's, removing what interrupted backups left; a failed one keeps the earlier copy.
    void backupsOfTheDayAndFoldersRefused()
    {
        QCOMPARE(backup_file::fileName(u"1403/01/15"_s), u"Tavrel1403_01_15"_s);
        TestEnv env;
        env.signInAs(2, u"ali"_s); // no rights are needed
        forms::main_->N8Click();
        QCOMPARE(env.dialogs.shown.last().text, u"backup"_s);
        QCOMPARE(window().selectedFolder(), QDir::homePath());
        const QString addPurchase = u"insert into tavrelkol (prj_name) values (?)"_s;
        env.exec(addPurchase, {u"سد کرج"_s});
        env.exec(u"insert into zamaem (pic) values (?)"_s, {QByteArray(400 * 1024, 'x')});
        window().selectFolder(env.folder());
        click();
        QCOMPARE(env.dialogs.lastMessage(), done);
        QCOMPARE(projectsInBackup(env.folder()), QStringList{u"سد کرج"_s});

        env.exec(addPurchase, {u"پل"_s});
        const QString target = env.folder() + u'/' + backup_file::fileName(shamsiToday());
        const QString earlier = env.folder() + u"/Tavrel1399_01_01"_s;
        const QString running = env.folder() + u"/Tavrel1399_01_02"_s;
        const QStringList leftovers{target + u".part"_s, target + u".part-journal"_s, target + u".k3Xz9a.part"_s,
                                    earlier + u".part"_s, running + u".part"_s};
        for (const QString &leftover : leftovers)
            writeFile(leftover, "part");
        writeFile(earlier + u".lock"_s, QByteArray::number(goneProcess()) + '\n' + "tavrel\n"
                                           + QSysInfo::machineHostName().toUtf8() + '\n');
        QLockFile runningLock(running + u".lock"_s);
        QVERIFY(runningLock.tryLock(0));
        click();
        QCOMPARE(env.dialogs.messages(), (QStringList{done, done}));
        QCOMPARE(projectsInBackup(env.folder()), (QStringList{u"سد کرج"_s, u"پل"_s}));
        QCOMPARE(QDir(env.folder()).entryList({u"Tavrel*"_s}, QDir::Files | QDir::Hidden),
                 (QStringList{u"Tavrel1399_01_02.lock"_s, u"Tavrel1399_01_02.part"_s, QFileInfo(target).fileName()}));

        env.exec(addPurchase, {u"سوم"_s});
        env.dialogs.reset();
        {
            DiskWithRoomFor room(64 * 1024 + 100);
            click();
        }
        QCOMPARE(env.dialogs.errors() + env.dialogs.messages(), QStringList{db::message::diskFull});
        QCOMPARE(projectsInBackup(env.folder()), (QStringList{u"سد کرج"_s, u"پل"_s}));
        QCOMPARE(backupFiles(env.folder()), 1);
        env.dialogs.reset();

        // No folder: asked for one. A folder that can't be written: told as such, root included, nothing left.
        window().ui->ShellTreeView1->clearSelection();
        click();
        QCOMPARE(env.dialogs.lastMessage(), u"محل فايل پشتيبان را مشخص نماييد"_s);
        QCOMPARE(backupFiles(QDir::rootPath()) + backupFiles(QDir::currentPath()), 0);

        const QString folder = env.folder() + u"/read-only"_s;
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        window().selectFolder(folder);
        {
            const PermissionsHold hold;
            click();
        }
        QCOMPARE(env.dialogs.errors(), QStringList{u"فايل پشتيبان ايجاد نشد: در اين پوشه نمي توان نوشت\n"_s + folder});
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // Any name, quoted as an identifier: "-", "." and blanks stay in it, "]" is doubled; the path is bound.
    void sqlServerStatement()
    {
        db::Connection server(u"office-server"_s);
        server.setConnectionString(u"DRIVER=FreeTDS;SERVER=office;PORT=1433;DATABASE=tavrel"_s);
        db::Query command(server, u"ADOQuery1"_s);
        const QString path = u"/srv/o'neil/Tavrel1403_01_15"_s;
        backup_file::prepare(command, u"tavrel-1403 v.2]x"_s, path);
        QCOMPARE(command.text(), u"BACKUP DATABASE [tavrel-1403 v.2]]x] TO DISK = ?"_s);
        QCOMPARE(command.bindings(), QVariantList{path});
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
