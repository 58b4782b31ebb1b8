// The program's frame: start-up, the page rights every opener checks, the main window's exit question and backup
// window, the guard that keeps the program running after a handler's error, and the invoice query's amounts.
#include "persian/Dates.h"
#include "persian/amount.h"
#include "backup_file.h"
#include "backup_u.h"
#include "change_pass_u.h"
#include "db/error.h"
#include "db/query.h"
#include "login_u.h"
#include "main_u.h"
#include "page_rights.h"
#include "pagekit/page.h"
#include "server_u.h"
#include "support/attachment_files.h"
#include "support/page_io.h"
#include "support/permissions_hold.h"
#include "support/testenv.h"
#include "ui/guard.h"
#include "ui_backup_u.h"
#include "ui_main_u.h"
#include <QApplication>
#include <QPushButton>
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

Tbackup &backupWindow() { return *forms::backup; }
void backUp() { backupWindow().ui->BitBtn1->click(); }

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

class TestMain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }

    // The sign-in form alone is shown and ends the program, closed or by Escape; no other form closes on Escape.
    void formsCreatedHiddenAndOnlyTheSignInEndsOnEscape()
    {
        forms::createAll();
        QVERIFY(!forms::dm->ADOConnection1.connected() && forms::dm->ADOConnection1.connectionString().isEmpty());
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
        QVERIFY(forms::showMainForm());
        QVERIFY(forms::login->isVisible() && !forms::main_->isVisible());
        int ends = 0;
        Tlogin::setProgramEnd([&] { ++ends; });
        forms::closeMainForm();
        QCOMPARE(ends, 1);

        int checked = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<QDialog *>(window); // the layout forms are never shown
            if (!qobject_cast<pagekit::Page *>(form) && form != forms::server && form != forms::change_pass)
                continue;
            QSignalSpy closed(form, &QDialog::rejected);
            QLineEdit *field = form->findChild<QLineEdit *>();
            QTest::keyClick(field ? static_cast<QWidget *>(field) : form, Qt::Key_Escape);
            QVERIFY2(closed.isEmpty() && ends == 1, qPrintable(form->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 30); // every page and entry form, the connection settings and the password change
        forms::login->show();
        QTest::keyClick(forms::login->findChild<QLineEdit *>(), Qt::Key_Escape);
        QCOMPARE(ends, 2);
        Tlogin::setProgramEnd(nullptr);
        forms::destroyAll();
    }

    // Only the signed-in user's row of the page counts: another user's row, another page's, a key that would match
    // every row if pasted into the statement, and nobody signed in all give no rights and the refusal. (A row of
    // the user's own, and what its bits switch: the page kit's test.)
    void rightsReadOnlyTheUsersRowOfThePage()
    {
        TestEnv env;
        const auto check = [](const QString &key) {
            QList<bool> applied;
            const bool shown = rights::CheckPageRights(
                key, [&](const rights::Granted &g) { applied = {g.insert, g.edit, g.remove, g.view}; });
            return std::pair{shown, applied};
        };
        const std::pair refused{false, QList<bool>(4, false)};
        env.signInAs(2, u"ali"_s);
        env.setRights(3, rights::key::tavrelkol, {true, true, true, true});
        env.setRights(2, rights::key::darkhast, {true, true, true, true});
        QCOMPARE(check(rights::key::tavrelkol), refused);
        QCOMPARE(check(u"x' or '1'='1"_s), refused);
        SignedInUser::instance().set(u"prs_id"_s, u"karbar"_s, u"level"_s);
        QCOMPARE(check(rights::key::darkhast), refused);
        QCOMPARE(env.dialogs.messages(), QStringList(3, rights::deniedText));
    }

    // The about item answers; exit: No keeps the program, Yes by the close box ends it, without a second question.
    void aboutAndExitQuestion()
    {
        TestEnv env;
        Tmain &window = *forms::main_;
        window.ui->N5->trigger();
        int exits = 0;
        window.onExit = [&] {
            ++exits;
            window.close();
        };
        window.show();
        env.dialogs.answers << ui::Answer::No << ui::Answer::Yes;
        window.ui->N6->trigger();
        QVERIFY(window.isVisible());
        window.close();
        // The about box, then the question twice.
        QCOMPARE(env.dialogs.messages().mid(1), QStringList(2, u"آيا مي خواهيد از برنامه خارج شويد"_s));
        QCOMPARE(exits, 1);
        QVERIFY(!window.isVisible());
    }

    // A handler that fails the way a page's handler does when the database refuses a statement is reported and
    // the rest of it skipped; the program goes on and the next click works. Any exception is reported, not only
    // the database's.
    void guardedHandlerOfARealButton()
    {
        ui::ScriptedDialogs &dialogs = ui::ScriptedDialogs::install();
        QPushButton button;
        int started = 0, finished = 0;
        ui::connectGuarded(&button, &QPushButton::clicked, &button, [&] {
            if (++started == 1)
                throw db::Error(u"جدول tavrelkol وجود ندارد"_s);
            ++finished;
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE((QList<int>{started, finished}), (QList<int>{2, 1}));
        QVERIFY(!ui::guarded([] { throw std::runtime_error("خطای دیگر"); }));
        QCOMPARE(dialogs.errors() + dialogs.messages(), (QStringList{u"جدول tavrelkol وجود ندارد"_s, u"خطای دیگر"_s}));
    }

    // A null amount is zero, a driver's decimal text whole rials; a text that is no amount leaves them empty.
    void invoiceAmountsInWordsAndDigits()
    {
        TestEnv env;
        env.exec(u"insert into chek (mablagh, mozo) values (null, 'a'), ('2345678.0000', 'b'), "
                 "(987654321012345, 'c'), ('12x', 'd')"_s);
        db::Query &chek = *forms::dm->ADOQ_chek;
        chek.clear();
        chek.add(u"select * from chek order by mozo"_s);
        chek.open();
        const auto column = [&](const QString &field) { return textsOf(chek, field); };
        QCOMPARE(column(u"MablaghDigit"_s) + column(u"MablaghText"_s) << column(u"mablagh"_s).last(), // as stored
                 (QStringList{u"0"_s, u"2,345,678"_s, u"987,654,321,012,345"_s, {}, u"صفر ريال"_s,
                              amount::GetNum(2345678), amount::GetNum(987654321012345), {}, u"12x"_s}));
    }

    // A copy replaces the day's, removing what interrupted backups left; a failed one keeps the earlier copy.
    void backupsOfTheDayAndFoldersRefused()
    {
        TestEnv env;
        env.signInAs(2, u"ali"_s); // no rights are needed
        forms::main_->N8Click();
        QCOMPARE(env.dialogs.shown.last().text, u"backup"_s);
        QCOMPARE(backupWindow().selectedFolder(), QDir::homePath());
        const QString addPurchase = u"insert into tavrelkol (prj_name) values (?)"_s;
        env.exec(addPurchase, {u"سد کرج"_s});
        env.exec(u"insert into zamaem (pic) values (?)"_s, {QByteArray(400 * 1024, 'x')});
        backupWindow().selectFolder(env.folder());
        backUp();
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
        backUp();
        QCOMPARE(env.dialogs.messages(), (QStringList{done, done}));
        QCOMPARE(projectsInBackup(env.folder()), (QStringList{u"سد کرج"_s, u"پل"_s}));
        QCOMPARE(QDir(env.folder()).entryList({u"Tavrel*"_s}, QDir::Files | QDir::Hidden),
                 (QStringList{u"Tavrel1399_01_02.lock"_s, u"Tavrel1399_01_02.part"_s, QFileInfo(target).fileName()}));

        env.exec(addPurchase, {u"سوم"_s});
        env.dialogs.reset();
        {
            DiskWithRoomFor room(64 * 1024 + 100);
            backUp();
        }
        QCOMPARE(env.dialogs.errors() + env.dialogs.messages(), QStringList{db::message::diskFull});
        QCOMPARE(projectsInBackup(env.folder()), (QStringList{u"سد کرج"_s, u"پل"_s}));
        QCOMPARE(backupFiles(env.folder()), 1);
        env.dialogs.reset();

        // No folder: asked for one. A folder that can't be written: told as such, root included, nothing left.
        backupWindow().ui->ShellTreeView1->clearSelection();
        backUp();
        QCOMPARE(env.dialogs.lastMessage(), u"محل فايل پشتيبان را مشخص نماييد"_s);
        QCOMPARE(backupFiles(QDir::rootPath()) + backupFiles(QDir::currentPath()), 0);

        const QString folder = env.folder() + u"/read-only"_s;
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        backupWindow().selectFolder(folder);
        {
            const PermissionsHold hold;
            backUp();
        }
        QCOMPARE(env.dialogs.errors(), QStringList{u"فايل پشتيبان ايجاد نشد: در اين پوشه نمي توان نوشت\n"_s + folder});
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // The day's file name; on SQL Server any database name, quoted as an identifier ("-", "." and blanks stay in
    // it, "]" is doubled), and the path bound.
    void backupStatementOnSqlServer()
    {
        db::Connection server(u"office-server"_s);
        server.setConnectionString(u"DRIVER=FreeTDS;SERVER=office;PORT=1433;DATABASE=tavrel"_s);
        db::Query command(server, u"ADOQuery1"_s);
        backup_file::prepare(command, u"tavrel-1403 v.2]x"_s, u"/srv/o'n/"_s + backup_file::fileName(u"1403/01/15"_s));
        QCOMPARE(command.text(), u"BACKUP DATABASE [tavrel-1403 v.2]]x] TO DISK = ?"_s);
        QCOMPARE(command.bindings(), QVariantList{u"/srv/o'n/Tavrel1403_01_15"_s});
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
