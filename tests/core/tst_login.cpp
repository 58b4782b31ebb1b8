// Sign-in: every way it can end, the last-user file, the version gate, the side paths and the first start
// of a workstation with nothing stored.
#include "persian/Dates.h"
#include "audit.h"
#include "change_pass_u.h"
#include "connection_settings.h"
#include "db/error.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "server_u.h"
#include "signed_in_user.h"
#include "support/permissions_hold.h"
#include "support/sql_server_stand_in.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
Q_DECLARE_METATYPE(SqlServerStandIn::Silence)

class TestLogin : public QObject {
    Q_OBJECT

    int programEnds = 0;

    // The environment of a sign-in: the settings name the test database, the form is shown.
    struct Env : TestEnv {
        Env()
        {
            user_store::storeLocalDatabase(dbPath());
            forms::login->show();
        }
        int addUser(const QString &us, const QString &ps, const QString &status = QStringLiteral("فعال"))
        {
            exec(QStringLiteral("insert into users (us, ps, ver, lev, nam, status) values (?, ?, '0', 'shahr', ?, ?)"),
                 {us, ps, QStringLiteral("علي رضايي"), status});
            return scalar(QStringLiteral("select id from users where us=?"), {us}).toInt();
        }
        void addFile(const QString &description, const QString &type)
        {
            exec(QStringLiteral("insert into zamaem (cmt, pictype, pic) values (?, ?, ?)"),
                 {description, type, QByteArray("file bytes")});
        }
        int logRows() { return scalar(QStringLiteral("select count(*) from log")).toInt(); }
    };

    static void signIn(const QString &us, const QString &ps)
    {
        forms::login->ui.us->setText(us);
        forms::login->ui.ps->setText(ps);
        forms::login->BitBtn1Click();
    }

    static QString lastUser()
    {
        QFile file(Tlogin::lastUserFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        Tlogin::setProgramEnd([this] { ++programEnds; });
    }
    void init() { programEnds = 0; }

    void refusedUsers_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << QStringLiteral("x' or '1'='1") << QStringLiteral("کلمه يا رمز عبور اشتباه است");
        QTest::newRow("inactive user") << QStringLiteral("r") << QStringLiteral("کاربر شما غير فعال شده است");
    }
    void refusedUsers()
    {
        QFETCH(QString, password);
        QFETCH(QString, message);
        Env env;
        env.addUser(QStringLiteral("reza"), QStringLiteral("r"), QStringLiteral("غير فعال"));
        signIn(QStringLiteral("reza"), password);
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        // Nothing written, the form stays for another try.
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("karbar"));
        QVERIFY(!QFile::exists(Tlogin::lastUserFile()));
        QCOMPARE(env.logRows(), 0);
        QVERIFY(forms::login->isVisible());
        QVERIFY(!forms::main_->isVisible());
    }

    void successfulSignIn()
    {
        Env env;
        const int id = env.addUser(QStringLiteral("o'neil"), QStringLiteral("p'q"));
        env.exec(QStringLiteral("insert into payamha (rec_prs_id, show_dat) values (?, '')"), {id});
        signIn(QStringLiteral("o'neil"), QStringLiteral("p'q"));

        QVERIFY(env.dialogs.shown.isEmpty());
        QCOMPARE(env.scalar(QStringLiteral("select ver from users where id=?"), {id}).toString(), QStringLiteral("1"));
        QCOMPARE(lastUser(), QStringLiteral("o'neil"));
        const SignedInUser &user = SignedInUser::instance();
        QCOMPARE(QStringList({user.prsId(), user.karbar(), user.level()}),
                 QStringList({QString::number(id), QStringLiteral("o'neil"), QStringLiteral("shahr")}));

        // One audit row, its time of day as hh:mm:ss and the database's own time beside it.
        QCOMPARE(env.logRows(), 1);
        QCOMPARE(env.scalar(QStringLiteral("select count(*) from log where saat_sys is not null")).toInt(), 1);
        QCOMPARE(env.scalar(QStringLiteral("select karbar||'|'||ip||'|'||computer_name||'|'||tarikh||'|'||cmt "
                                           "from log")).toString(),
                 QStringList({QStringLiteral("o'neil"), Tlogin::LocalIP(), AuditRow::stamped(QString(), QString()).computerName,
                              shamsiToday(), QStringLiteral("  ورود موفق به نرم افزار  o'neil علي رضايي")})
                     .join(u'|'));
        const QString time = env.scalar(QStringLiteral("select saat from log")).toString();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time).hasMatch(), qPrintable(time));

        QCOMPARE(forms::main_->ui->N17->text(), QStringLiteral("پيام*"));
        QVERIFY(forms::main_->isVisible());
        QVERIFY(!forms::login->isVisible());
        QCOMPARE(programEnds, 0);
    }

    void adminPassesTheGateAndReadMessagesLeaveTheMark()
    {
        Env env;
        env.exec(QStringLiteral("update users set ver='7' where us='admin'"));
        env.exec(QStringLiteral("insert into payamha (rec_prs_id, show_dat) values (1, '1403/01/01')"));
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QVERIFY(forms::main_->isVisible());
        QCOMPARE(forms::main_->ui->N17->text(), QStringLiteral("پيام"));
    }

    void outdatedProgramIsRefused()
    {
        Env env;
        env.addUser(QStringLiteral("ali"), QStringLiteral("p"));
        env.exec(QStringLiteral("update users set ver='2' where us='admin'"));
        env.addFile(QStringLiteral("آخرين نسخه نرم افزار"), QStringLiteral(".bin"));
        const QString chosen = env.folder() + QStringLiteral("/newest");
        env.dialogs.files.enqueue(chosen);
        signIn(QStringLiteral("ali"), QStringLiteral("p"));

        QCOMPARE(env.dialogs.messages(), QStringList{QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  2"
                                                                    " در ادامه نسخه جديد را دانلود و استفاده نماييد ")});
        // Before the gate: the user's version, the holder and the file are written.
        QCOMPARE(env.scalar(QStringLiteral("select ver from users where us='ali'")).toString(), QStringLiteral("1"));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("ali"));
        QCOMPARE(lastUser(), QStringLiteral("ali"));
        // The refusal row only.
        QCOMPARE(env.logRows(), 1);
        QCOMPARE(env.scalar(QStringLiteral("select cmt from log where karbar='ali' and saat_sys is not null")).toString(),
                 QStringLiteral("  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   2 ali"));
        // The newest program, under the proposed name the user confirmed, with its type.
        QCOMPARE(env.dialogs.shown.at(1).detail, u"tavrel" + shamsiToday().replace(u'/', u'_'));
        QFile saved(chosen + QStringLiteral(".bin"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("file bytes"));
        // The program ends without the main window.
        QCOMPARE(programEnds, 1);
        QVERIFY(!forms::main_->isVisible());
    }

    void unreadableVersionStopsWithTheError()
    {
        Env env;
        env.addUser(QStringLiteral("ali"), QStringLiteral("p"));
        env.exec(QStringLiteral("update users set ver='' where us='admin'"));
        QVERIFY(!ui::guarded([] { signIn(QStringLiteral("ali"), QStringLiteral("p")); }));
        QCOMPARE(env.logRows(), 0);
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("ali"));
        QVERIFY(!forms::main_->isVisible());
    }

    void firstStartCreatesTheLocalDatabase()
    {
        TestEnv env;
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QCOMPARE(env.dialogs.messages(),
                 QStringList{QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد")});
        // The settings form proposes the local file; storing it lets the next attempt create it.
        QVERIFY(forms::server->isVisible());
        forms::server->Button1Click();
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QVERIFY(QFile::exists(connection::defaultDatabaseFile()));
        QCOMPARE(forms::dm->ADOConnection1.databaseName(), connection::defaultDatabaseFile());
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("admin"));
        QVERIFY(forms::main_->isVisible());
    }

    void typedNamesAreCheckedBeforeConnecting()
    {
        Env env;
        // Accounts saved with a name that shows nothing (blanks, invisible format characters) and an empty
        // password must not let anyone in with that name.
        const QString invisible = QStringLiteral("\u200C \u200F");
        env.exec(QStringLiteral("insert into users (us, ps, status) values ('', '', ?), (?, '', ?)"),
                 {QStringLiteral("فعال"), invisible, QStringLiteral("فعال")});
        for (const QString &blank : {QStringLiteral("  "), invisible}) {
            QVERIFY(!ui::guarded([&] { signIn(blank, QString()); }));
            QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("نام كاربري را وارد نماييد"));
        }
        QCOMPARE(forms::login->focusWidget(), forms::login->ui.us);
        QVERIFY(!ui::guarded([] { signIn(QStringLiteral("ali\u0001"), QStringLiteral("p")); }));
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("نام كاربري نويسه نامعتبر دارد"));
        QVERIFY(!ui::guarded([] { signIn(QStringLiteral("ali"), QStringLiteral("p\t")); }));
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("كلمه عبور نويسه نامعتبر دارد"));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("karbar"));
        // The name is matched without the blanks typed around it.
        env.addUser(QStringLiteral("ali"), QStringLiteral("p"));
        signIn(QStringLiteral(" ali "), QStringLiteral("p"));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("ali"));
    }

    void unusableDatabasesAreNeverReachedOrMade()
    {
        Env env;
        // A kind this program does not know opens nothing: the file open before is not used again.
        connection::writeSettings({env.dbPath(), QString(), QStringLiteral("Oracle"), {}, {}, {}});
        QVERIFY(!ui::guarded([] { signIn(QStringLiteral("admin"), QStringLiteral("1")); }));
        QCOMPARE(env.dialogs.errors(), QStringList{db::message::notConnected});
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("karbar"));

        // A mistyped path: the settings form, no new empty database.
        const QString typo = env.folder() + QStringLiteral("/tavrl.sqlite");
        user_store::storeLocalDatabase(typo);
        signIn(QStringLiteral("admin"), QStringLiteral("1"));
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("فايل اكسس يافت نشد"));
        QVERIFY(!QFile::exists(typo));

        // A file that can't be written is told as such, not as missing, and leaves the connection closed.
        user_store::storeLocalDatabase(env.dbPath());
        forms::dm->ADOConnection1.close();
        QFile::setPermissions(env.dbPath(), QFile::ReadOwner);
        {
            const PermissionsHold hold;
            signIn(QStringLiteral("admin"), QStringLiteral("1"));
        }
        QCOMPARE(env.dialogs.lastMessage(), db::message::readOnly);
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QVERIFY(!forms::main_->isVisible());
    }

    // A server that takes the connection and answers nothing, or nothing after the login, or nothing of the
    // sign-in's own questions: the sign-in gives up within the connect time (2 s here), not after the statement
    // time of the pages (30 s), and says why in Persian.
    void serverSilentAfterTheConnection_data()
    {
        QTest::addColumn<SqlServerStandIn::Silence>("silence");
        QTest::addColumn<QString>("told");
        QTest::newRow("at all") << SqlServerStandIn::Silence::Always
                                << QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");
        QTest::newRow("after the login") << SqlServerStandIn::Silence::AfterLogin << db::message::linkLost;
        QTest::newRow("at the users") << SqlServerStandIn::Silence::AfterSessionSettings << db::message::timeout;
    }
    void serverSilentAfterTheConnection()
    {
        QFETCH(SqlServerStandIn::Silence, silence);
        QFETCH(QString, told);
        Env env;
        SqlServerStandIn server(silence);
        const QString address = QStringLiteral("127.0.0.1,") + QString::number(server.port());
        connection::writeSettings({address, QStringLiteral("tavrel"), connection::sqlServerLogin, QStringLiteral("sa"),
                                   QStringLiteral("32-bit"), QStringLiteral("x")});
        db::Connection &connection = forms::dm->ADOConnection1;
        connection.setTimeouts({2, 30, 5000});
        QElapsedTimer clock;
        clock.start();
        ui::guarded([] { signIn(QStringLiteral("admin"), QStringLiteral("1")); });
        const qint64 elapsed = clock.elapsed();
        connection.setTimeouts({});
        QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));
        QCOMPARE(server.logins(), silence == SqlServerStandIn::Silence::Always ? 0 : 1);
        const QStringList lines = (env.dialogs.messages() + env.dialogs.errors()).join(u'\n').split(u'\n');
        QVERIFY2(lines.contains(told), qPrintable(lines.join(u'|')));
        QVERIFY(!connection.connected());
        QVERIFY(!forms::main_->isVisible());
    }

    void nameTypedOnAPersianKeyboard()
    {
        // Names are stored with the Arabic yeh and Latin digits; the Persian keyboard types the Persian yeh and
        // Persian digits. The password is compared exactly as typed.
        Env env;
        const int id = env.addUser(QStringLiteral("علي1"), QStringLiteral("۱ی"));
        signIn(QStringLiteral("علی۱"), QStringLiteral("۱ی"));
        QCOMPARE(SignedInUser::instance().prsId(), QString::number(id));
        QCOMPARE(SignedInUser::instance().karbar(), QStringLiteral("علي1"));
        signIn(QStringLiteral("علی۱"), QStringLiteral("1ي"));
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("کلمه يا رمز عبور اشتباه است"));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
