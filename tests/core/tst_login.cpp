// Sign-in: every way it can end, the last-user file, the version gate, the side paths (the password change)
// and the first start of a workstation with nothing stored; the audit rows it and the entry forms write.
#include "persian/Dates.h"
#include "audit.h"
#include "change_pass_u.h"
#include "connection_settings.h"
#include "db/error.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "platform/platform.h"
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
#include <QHostInfo>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

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
        int addUser(const QString &us, const QString &ps, const QString &status = u"فعال"_s)
        {
            exec(u"insert into users (us, ps, ver, lev, nam, status) values (?, ?, '0', 'shahr', ?, ?)"_s,
                 {us, ps, u"علي رضايي"_s, status});
            return scalar(u"select id from users where us=?"_s, {us}).toInt();
        }
        void addFile(const QString &description, const QString &type)
        {
            exec(u"insert into zamaem (cmt, pictype, pic) values (?, ?, ?)"_s,
                 {description, type, QByteArray("file bytes")});
        }
        int logRows() { return scalar(u"select count(*) from log"_s).toInt(); }
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

    // Refused before or at the look-up: nothing written, nobody signed in, the form stays for another try.
    // Names are matched in their stored form (the Arabic yeh, Latin digits); passwords exactly as typed.
    void refusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        const QString wrong = u"کلمه يا رمز عبور اشتباه است"_s, noName = u"نام كاربري را وارد نماييد"_s;
        QTest::newRow("wrong password") << u"ali"_s << u"x' or '1'='1"_s << wrong;
        QTest::newRow("inactive user") << u"reza"_s << u"r"_s << u"کاربر شما غير فعال شده است"_s;
        QTest::newRow("password typed on a Persian keyboard") << u"علی۱"_s << u"1ي"_s << wrong;
        // Accounts saved with a name that shows nothing and an empty password must not let anyone in.
        QTest::newRow("blank name") << u"  "_s << QString() << noName;
        QTest::newRow("invisible name") << u"\u200C \u200F"_s << QString() << noName;
        QTest::newRow("control character in the name")
            << u"ali\u0001"_s << u"p"_s << u"نام كاربري نويسه نامعتبر دارد"_s;
        QTest::newRow("control character in the password") << u"ali"_s << u"p\t"_s << u"كلمه عبور نويسه نامعتبر دارد"_s;
    }
    void refusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        Env env;
        env.addUser(u"ali"_s, u"p"_s);
        env.addUser(u"reza"_s, u"r"_s, u"غير فعال"_s);
        env.addUser(u"علي1"_s, u"۱ی"_s);
        env.exec(u"insert into users (us, ps, status) values ('', '', 'فعال'), (?, '', 'فعال')"_s,
                 {u"\u200C \u200F"_s});
        ui::guarded([&] { signIn(name, password); });
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        QCOMPARE(SignedInUser::instance().karbar(), u"karbar"_s);
        QVERIFY(!QFile::exists(Tlogin::lastUserFile()));
        QCOMPARE(env.logRows(), 0);
        QVERIFY(forms::login->isVisible() && !forms::main_->isVisible());
    }

    // Signed in: the user's version and the last-user file written, the user held, one audit row, the unread
    // mark, the main window in place of the sign-in form. The name is matched without the blanks typed around
    // it and in its stored form.
    void successfulSignIn_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("typed");
        QTest::newRow("quotes") << u"o'neil"_s << u"p'q"_s << u"o'neil"_s;
        QTest::newRow("blanks around") << u"ali"_s << u"p"_s << u" ali "_s;
        QTest::newRow("Persian keyboard") << u"علي1"_s << u"۱ی"_s << u"علی۱"_s;
    }
    void successfulSignIn()
    {
        QFETCH(QString, stored);
        QFETCH(QString, password);
        QFETCH(QString, typed);
        Env env;
        const int id = env.addUser(stored, password);
        env.exec(u"insert into payamha (rec_prs_id, show_dat) values (?, '')"_s, {id});
        signIn(typed, password);

        QVERIFY(env.dialogs.shown.isEmpty());
        QCOMPARE(env.scalar(u"select ver from users where id=?"_s, {id}).toString(), u"1"_s);
        QCOMPARE(lastUser(), typed.trimmed());
        const SignedInUser &user = SignedInUser::instance();
        QCOMPARE(QStringList({user.prsId(), user.karbar(), user.level()}),
                 QStringList({QString::number(id), stored, u"shahr"_s}));

        // One audit row, its time of day as hh:mm:ss and the database's own time beside it.
        QCOMPARE(env.logRows(), 1);
        QCOMPARE(env.scalar(u"select count(*) from log where saat_sys is not null"_s).toInt(), 1);
        QCOMPARE(env.scalar(u"select karbar||'|'||ip||'|'||computer_name||'|'||tarikh||'|'||cmt from log"_s).toString(),
                 QStringList({stored, Tlogin::LocalIP(), AuditRow::stamped(QString(), QString()).computerName,
                              shamsiToday(), u"  ورود موفق به نرم افزار  "_s + stored + u" علي رضايي"_s})
                     .join(u'|'));
        const QString time = env.scalar(u"select saat from log"_s).toString();
        QVERIFY2(QRegularExpression(u"^\\d\\d:\\d\\d:\\d\\d$"_s).match(time).hasMatch(), qPrintable(time));

        QCOMPARE(forms::main_->ui->N17->text(), u"پيام*"_s);
        QVERIFY(forms::main_->isVisible() && !forms::login->isVisible());
        QCOMPARE(programEnds, 0);
    }

    void outdatedProgramIsRefused()
    {
        Env env;
        env.addUser(u"ali"_s, u"p"_s);
        env.exec(u"update users set ver='2' where us='admin'"_s);
        env.addFile(u"آخرين نسخه نرم افزار"_s, u".bin"_s);
        const QString chosen = env.folder() + u"/newest"_s;
        env.dialogs.files.enqueue(chosen);
        signIn(u"ali"_s, u"p"_s);

        QCOMPARE(env.dialogs.messages(), QStringList{u"اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  2"
                                                        " در ادامه نسخه جديد را دانلود و استفاده نماييد "_s});
        // Before the gate: the user's version, the holder and the file are written.
        QCOMPARE(env.scalar(u"select ver from users where us='ali'"_s).toString(), u"1"_s);
        QCOMPARE(SignedInUser::instance().karbar(), u"ali"_s);
        QCOMPARE(lastUser(), u"ali"_s);
        // The refusal row only.
        QCOMPARE(env.logRows(), 1);
        QCOMPARE(env.scalar(u"select cmt from log where karbar='ali' and saat_sys is not null"_s).toString(),
                 u"  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   2 ali"_s);
        // The newest program, under the proposed name the user confirmed, with its type.
        QCOMPARE(env.dialogs.shown.at(1).detail, u"tavrel" + shamsiToday().replace(u'/', u'_'));
        QFile saved(chosen + u".bin"_s);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("file bytes"));
        // The program ends without the main window.
        QCOMPARE(programEnds, 1);
        QVERIFY(!forms::main_->isVisible());
    }

    void unreadableVersionStopsWithTheError()
    {
        Env env;
        env.addUser(u"ali"_s, u"p"_s);
        env.exec(u"update users set ver='' where us='admin'"_s);
        QVERIFY(!ui::guarded([] { signIn(u"ali"_s, u"p"_s); }));
        QCOMPARE(env.logRows(), 0);
        QCOMPARE(SignedInUser::instance().karbar(), u"ali"_s);
        QVERIFY(!forms::main_->isVisible());
    }

    void firstStartCreatesTheLocalDatabase()
    {
        TestEnv env;
        signIn(u"admin"_s, u"1"_s);
        QCOMPARE(env.dialogs.messages(),
                 QStringList{u"لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد"_s});
        // The settings form proposes the local file; storing it lets the next attempt create it.
        QVERIFY(forms::server->isVisible());
        forms::server->Button1Click();
        signIn(u"admin"_s, u"1"_s);
        QVERIFY(QFile::exists(connection::defaultDatabaseFile()));
        QCOMPARE(forms::dm->ADOConnection1.databaseName(), connection::defaultDatabaseFile());
        QCOMPARE(SignedInUser::instance().karbar(), u"admin"_s);
        QVERIFY(forms::main_->isVisible());
    }

    void unusableDatabasesAreNeverReachedOrMade()
    {
        Env env;
        // A kind this program does not know opens nothing: the file open before is not used again.
        connection::writeSettings({env.dbPath(), QString(), u"Oracle"_s, {}, {}, {}});
        QVERIFY(!ui::guarded([] { signIn(u"admin"_s, u"1"_s); }));
        QCOMPARE(env.dialogs.errors(), QStringList{db::message::notConnected});
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QCOMPARE(SignedInUser::instance().karbar(), u"karbar"_s);

        // A mistyped path: the settings form, no new empty database.
        const QString typo = env.folder() + u"/tavrl.sqlite"_s;
        user_store::storeLocalDatabase(typo);
        signIn(u"admin"_s, u"1"_s);
        QCOMPARE(env.dialogs.lastMessage(), u"فايل اكسس يافت نشد"_s);
        QVERIFY(!QFile::exists(typo));

        // A file that can't be written is told as such, not as missing, and leaves the connection closed.
        user_store::storeLocalDatabase(env.dbPath());
        forms::dm->ADOConnection1.close();
        QFile::setPermissions(env.dbPath(), QFile::ReadOwner);
        {
            const PermissionsHold hold;
            signIn(u"admin"_s, u"1"_s);
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
        QTest::newRow("at all")
            << SqlServerStandIn::Silence::Always
            << u"تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد"_s;
        QTest::newRow("after the login") << SqlServerStandIn::Silence::AfterLogin << db::message::linkLost;
        QTest::newRow("at the users") << SqlServerStandIn::Silence::AfterSessionSettings << db::message::timeout;
    }
    void serverSilentAfterTheConnection()
    {
        QFETCH(SqlServerStandIn::Silence, silence);
        QFETCH(QString, told);
        Env env;
        SqlServerStandIn server(silence);
        const QString address = u"127.0.0.1,"_s + QString::number(server.port());
        connection::writeSettings({address, u"tavrel"_s, connection::sqlServerLogin, u"sa"_s, u"32-bit"_s, u"x"_s});
        db::Connection &connection = forms::dm->ADOConnection1;
        connection.setTimeouts({2, 30, 5000});
        QElapsedTimer clock;
        clock.start();
        ui::guarded([] { signIn(u"admin"_s, u"1"_s); });
        const qint64 elapsed = clock.elapsed();
        connection.setTimeouts({});
        QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));
        QCOMPARE(server.logins(), silence == SqlServerStandIn::Silence::Always ? 0 : 1);
        const QStringList lines = (env.dialogs.messages() + env.dialogs.errors()).join(u'\n').split(u'\n');
        QVERIFY2(lines.contains(told), qPrintable(lines.join(u'|')));
        QVERIFY(!connection.connected());
        QVERIFY(!forms::main_->isVisible());
    }

    // The password change: both boxes empty, two different texts, and a sign-in form that no longer holds the
    // current password (no row changes, which is no success) are refused, the password kept, the form left
    // open. A change is stored as typed, blanks and all; the sign-in form's old password then signs in no more.
    void passwordChange()
    {
        Env env;
        const auto change = [&](const QString &signInPassword, const QString &first, const QString &second) {
            env.dialogs.reset();
            forms::login->ui.us->setText(u"admin"_s);
            forms::login->ui.ps->setText(signInPassword);
            forms::login->hide();
            forms::change_pass->show();
            forms::change_pass->ui.Edit1->setText(first);
            forms::change_pass->ui.Edit2->setText(second);
            forms::change_pass->BitBtn1Click();
            return env.dialogs.messages();
        };
        const auto stored = [&] { return env.scalar(u"select ps from users where us='admin'"_s).toString(); };
        const QList<QStringList> refused{
            {u"1"_s, QString(), QString(), u"كلمه عبور صحيح نيست"_s},
            {u"1"_s, u"n"_s, QString(), u"كلمه عبور جديد همخواني ندارد"_s},
            {u"changed meanwhile"_s, u"n"_s, u"n"_s, u"كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"_s}};
        for (const QStringList &c : refused) {
            QCOMPARE(change(c[0], c[1], c[2]), QStringList{c[3]});
            QCOMPARE(stored(), u"1"_s);
            QVERIFY(forms::change_pass->isVisible() && !forms::login->isVisible());
        }
        QCOMPARE(change(u"1"_s, u"نو ۲ "_s, u"نو ۲ "_s), QStringList{u"كلمه عبور تغيير يافت"_s});
        QCOMPARE(stored(), u"نو ۲ "_s);
        QVERIFY(!forms::change_pass->isVisible() && forms::login->isVisible());
        forms::login->BitBtn1Click();
        QCOMPARE(env.dialogs.lastMessage(), u"کلمه يا رمز عبور اشتباه است"_s);
        QCOMPARE(forms::change_pass->ui.Edit1->text(), u"نو ۲ "_s); // kept for the next showing
    }

    // The entry forms' audit row is cut to its columns and carries the workstation's name: for an address the
    // resolver knows no name for, this machine's own. (The sign-in's row proves the other stamped columns.)
    void auditRowCutToItsColumnsWithTheWorkstationsName()
    {
        TestEnv env;
        const QString longName(160, u'ن');
        env.signInAs(3, longName);
        const QString text = QString(150, u'a') + QString(100, u'ب');
        WriteAuditLog(text);
        QCOMPARE(env.scalar(u"select cmt from log"_s).toString(), text.left(200));
        QCOMPARE(env.scalar(u"select karbar from log"_s).toString(), longName.left(150));
        QVERIFY(!env.scalar(u"select saat_sys from log"_s).isNull()); // filled by the column default
        const QString resolved = platform::hostNameOf(platform::localIp());
        const QString computerName = env.scalar(u"select computer_name from log"_s).toString();
        QCOMPARE(computerName, (resolved.isEmpty() ? QHostInfo::localHostName() : resolved).left(50));
        QVERIFY(!computerName.isEmpty());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
