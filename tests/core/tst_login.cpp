// Sign-in: every way it can end, the last-user file, the version gate, the side paths and the first start
// of a workstation with nothing stored.
#include "Dates.h"
#include "change_pass_u.h"
#include "connection_settings.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "server_u.h"
#include "signed_in_user.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include "ui_main_u.h"
#include <QFile>
#include "ui/guard.h"
#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

class TestLogin : public QObject {
    Q_OBJECT

    int programEnds = 0;

    static int addUser(TestEnv &env, const QString &us, const QString &ps, const QString &status = QStringLiteral("فعال"))
    {
        env.exec(QStringLiteral("insert into users (us, ps, ver, lev, nam, status) values (?, ?, '0', 'shahr', ?, ?)"),
                 {us, ps, QStringLiteral("علي رضايي"), status});
        return env.scalar(QStringLiteral("select id from users where us=?"), {us}).toInt();
    }

    static void signIn(const QString &us, const QString &ps)
    {
        forms::login->ui.us->setText(us);
        forms::login->ui.ps->setText(ps);
        forms::login->BitBtn1Click();
    }

    static QString lastUser()
    {
        QFile file(Tlogin::lastUserFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static int logRows(TestEnv &env) { return env.scalar(QStringLiteral("select count(*) from log")).toInt(); }

    // A refused sign-in leaves the holder, the file and the log as they were, and the form in view.
    void verifyRefused(TestEnv &env, const QString &message)
    {
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("karbar"));
        QVERIFY(!QFile::exists(Tlogin::lastUserFile()));
        QCOMPARE(logRows(env), 0);
        QVERIFY(forms::login->isVisible());
        QVERIFY(!forms::main_->isVisible());
        QCOMPARE(programEnds, 0);
    }

    struct Env {
        TestEnv env;
        Env()
        {
            user_store::clear();
            user_store::storeLocalDatabase(env.dbPath());
            forms::login->show();
            env.dialogs.reset();
        }
    };

private Q_SLOTS:
    void initTestCase()
    {
        user_store::isolate();
        Tlogin::setProgramEnd([this] { ++programEnds; });
    }
    void init() { programEnds = 0; }
    void cleanup() { user_store::clear(); }

    void wrongPassword()
    {
        Env e;
        signIn(QStringLiteral("admin"), QStringLiteral("2"));
        verifyRefused(e.env, QStringLiteral("کلمه يا رمز عبور اشتباه است"));
    }

    void inactiveUser()
    {
        Env e;
        addUser(e.env, QStringLiteral("reza"), QStringLiteral("r"), QStringLiteral("غير فعال"));
        signIn(QStringLiteral("reza"), QStringLiteral("r"));
        verifyRefused(e.env, QStringLiteral("کاربر شما غير فعال شده است"));
    }

    void successfulSignIn()
    {
        Env e;
        const int id = addUser(e.env, QStringLiteral("ali"), QStringLiteral("p"));
        e.env.exec(QStringLiteral("insert into payamha (send_prs_id, rec_prs_id, show_dat) values (1, ?, '')"), {id});
        signIn(QStringLiteral("ali"), QStringLiteral("p"));

        QVERIFY(e.env.dialogs.shown.isEmpty());
        QCOMPARE(e.env.scalar(QStringLiteral("select ver from users where us='ali'")).toString(), QStringLiteral("1"));
        QCOMPARE(lastUser().trimmed(), QStringLiteral("ali"));
        QCOMPARE(SignedInUser::instance().prsId(), QString::number(id));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("ali"));
        QCOMPARE(SignedInUser::instance().level(), QStringLiteral("shahr"));

        QCOMPARE(logRows(e.env), 1);
        QSqlQuery row(forms::dm->ADOConnection1.database());
        QVERIFY(row.exec(QStringLiteral("select karbar, ip, computer_name, saat, tarikh, cmt, saat_sys from log")));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), QStringLiteral("ali"));
        QCOMPARE(row.value(1).toString(), Tlogin::LocalIP());
        QCOMPARE(row.value(2).toString(), Tlogin::IPAddrToName(Tlogin::LocalIP()));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(row.value(3).toString()).hasMatch());
        QCOMPARE(row.value(4).toString(), shamsiToday());
        QCOMPARE(row.value(5).toString(), QStringLiteral("  ورود موفق به نرم افزار  ali علي رضايي"));
        QVERIFY(!row.value(6).isNull());

        QCOMPARE(forms::main_->ui->N17->text(), QStringLiteral("پيام*"));
        QVERIFY(forms::main_->isVisible());
        QVERIFY(!forms::login->isVisible());
        QCOMPARE(programEnds, 0);
    }

    void readMessagesLeaveTheMark()
    {
        Env e;
        forms::main_->setUnreadMark(false);
        e.env.exec(QStringLiteral("insert into payamha (rec_prs_id, show_dat) values (1, '1403/01/01')"));
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QCOMPARE(forms::main_->ui->N17->text(), QStringLiteral("پيام"));
        QVERIFY(forms::main_->isVisible());
    }

    void quotesAreComparedAsTyped()
    {
        Env e;
        addUser(e.env, QStringLiteral("o'neil"), QStringLiteral("a' or '1'='1"));
        signIn(QStringLiteral("o'neil"), QStringLiteral("x' or '1'='1"));
        QCOMPARE(e.env.dialogs.lastMessage(), QStringLiteral("کلمه يا رمز عبور اشتباه است"));
        signIn(QStringLiteral("o'neil"), QStringLiteral("a' or '1'='1"));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("o'neil"));
        QVERIFY(e.env.scalar(QStringLiteral("select cmt from log")).toString().contains(QStringLiteral("o'neil")));
    }

    void outdatedProgramIsRefused()
    {
        Env e;
        addUser(e.env, QStringLiteral("ali"), QStringLiteral("p"));
        e.env.exec(QStringLiteral("update users set ver='2' where us='admin'"));
        e.env.exec(QStringLiteral("insert into zamaem (cmt, pictype, pic) values (?, '.bin', ?)"),
                   {QStringLiteral("آخرين نسخه نرم افزار"), QByteArray("new program")});
        const QString chosen = e.env.folder() + QStringLiteral("/newest");
        e.env.dialogs.files.enqueue(chosen);
        signIn(QStringLiteral("ali"), QStringLiteral("p"));

        QCOMPARE(e.env.dialogs.messages(),
                 QStringList{QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  2 در ادامه نسخه جديد را دانلود و استفاده نماييد ")});
        // Before the gate: the user's version, the holder and the file are written.
        QCOMPARE(e.env.scalar(QStringLiteral("select ver from users where us='ali'")).toString(), QStringLiteral("1"));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("ali"));
        QCOMPARE(lastUser().trimmed(), QStringLiteral("ali"));
        // The refusal row only.
        QCOMPARE(logRows(e.env), 1);
        QCOMPARE(e.env.scalar(QStringLiteral("select cmt from log where karbar='ali'")).toString(),
                 QStringLiteral("  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   2 ali"));
        QVERIFY(!e.env.scalar(QStringLiteral("select saat_sys from log")).isNull());
        // The newest program, under the proposed name the user confirmed, with its type.
        const ui::ScriptedDialogs::Shown &save = e.env.dialogs.shown.at(1);
        QCOMPARE(save.kind, QStringLiteral("saveFile"));
        QCOMPARE(save.detail, u"tavrel" + shamsiToday().replace(u'/', u'_'));
        QFile saved(chosen + QStringLiteral(".bin"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("new program"));
        // The program ends without the main window.
        QCOMPARE(programEnds, 1);
        QVERIFY(!forms::main_->isVisible());
        QVERIFY(!forms::login->isVisible());
    }

    void adminAlwaysPassesTheGate()
    {
        Env e;
        e.env.exec(QStringLiteral("update users set ver='7' where us='admin'"));
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QVERIFY(forms::main_->isVisible());
        QCOMPARE(programEnds, 0);
    }

    void unreadableVersionStopsWithTheError()
    {
        Env e;
        addUser(e.env, QStringLiteral("ali"), QStringLiteral("p"));
        e.env.exec(QStringLiteral("update users set ver='' where us='admin'"));
        QVERIFY(!ui::guarded([] { signIn(QStringLiteral("ali"), QStringLiteral("p")); }));
        QCOMPARE(e.env.dialogs.errors().size(), 1);
        QCOMPARE(logRows(e.env), 0);
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("ali"));
        QVERIFY(!forms::main_->isVisible());
    }

    void lastUserIsShownAgain()
    {
        Env e;
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        forms::login->ui.us->clear();
        forms::login->show();
        QCOMPARE(forms::login->ui.us->text(), QStringLiteral("admin"));
        QCOMPARE(forms::login->focusWidget(), forms::login->ui.ps);
    }

    void enterAndEscapeKeys()
    {
        Env e;
        Tlogin &form = *forms::login;
        form.ui.us->setText(QStringLiteral("admin"));
        QTest::keyClick(form.ui.us, Qt::Key_Return);
        QCOMPARE(form.focusWidget(), form.ui.ps);
        QVERIFY(e.env.dialogs.shown.isEmpty());
        form.ui.ps->setText(QStringLiteral("wrong"));
        QTest::keyClick(form.ui.ps, Qt::Key_Return);
        QCOMPARE(e.env.dialogs.messages(), QStringList{QStringLiteral("کلمه يا رمز عبور اشتباه است")});
        QCOMPARE(programEnds, 0);
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(programEnds, 1);
        QVERIFY(!form.isVisible());
    }

    void passwordChangePath()
    {
        Env e;
        addUser(e.env, QStringLiteral("reza"), QStringLiteral("r"), QStringLiteral("غير فعال"));
        forms::login->ui.us->setText(QStringLiteral("reza"));
        forms::login->ui.ps->setText(QStringLiteral("x"));
        forms::login->Label3Click();
        QCOMPARE(e.env.dialogs.messages(), QStringList{QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد")});
        QVERIFY(forms::login->isVisible());
        // An inactive user may change the password.
        forms::login->ui.ps->setText(QStringLiteral("r"));
        forms::login->Label3Click();
        QVERIFY(!forms::login->isVisible());
        QVERIFY(forms::change_pass->isVisible());
        QCOMPARE(logRows(e.env), 0);
    }

    void settingsLink()
    {
        Env e;
        forms::login->Label4Click();
        QCOMPARE(e.env.dialogs.messages(), QStringList{QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد")});
        QCOMPARE(e.env.dialogs.shown.last().kind, QStringLiteral("modal"));
        QVERIFY(forms::server->isVisible());
    }

    void fontHelpIsSavedAndOpened()
    {
        Env e;
        forms::login->Label9Click(); // nothing stored: no dialog
        QVERIFY(e.env.dialogs.shown.isEmpty());
        e.env.exec(QStringLiteral("insert into zamaem (cmt, pictype, pic) values (?, '.pdf', ?)"),
                   {QStringLiteral("راهنمايي حل مشکل نمايش فونت ها"), QByteArray("%PDF")});
        const QString chosen = e.env.folder() + QStringLiteral("/help");
        e.env.dialogs.files.enqueue(chosen);
        forms::login->Label9Click();
        QCOMPARE(e.env.dialogs.shown.last().detail, QStringLiteral("tavrel_Language_Help"));
        QCOMPARE(e.env.openedFiles, QStringList{chosen + QStringLiteral(".pdf")});
        QVERIFY(QFile::exists(chosen + QStringLiteral(".pdf")));
    }

    void firstStartCreatesTheLocalDatabase()
    {
        TestEnv env;
        user_store::clear();
        const QString file = connection::defaultDatabaseFile();
        QFile::remove(file);
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QCOMPARE(env.dialogs.messages(),
                 QStringList{QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد")});
        // The settings form proposes the local file; storing it lets the next attempt create it.
        QVERIFY(forms::server->isVisible());
        QCOMPARE(forms::server->ui.SqlServerName->text(), file);
        forms::server->Button1Click();
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QVERIFY(QFile::exists(file));
        QCOMPARE(forms::dm->ADOConnection1.databaseName(), file);
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("admin"));
        QVERIFY(forms::main_->isVisible());
        forms::dm->ADOConnection1.close();
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
