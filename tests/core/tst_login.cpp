// Sign-in and its connection settings: every way a sign-in ends, the version gate, the password change, a first
// start, the audit rows; the stored password, the settings form, the connection strings, the central server.
#include "persian/Dates.h"
#include "change_pass_u.h"
#include "connection_settings.h"
#include "db/error.h"
#include "login_u.h"
#include "main_u.h"
#include "platform/platform.h"
#include "server_u.h"
#include "support/attachment_files.h"
#include "support/page_io.h"
#include "support/permissions_hold.h"
#include "support/sql_server_stand_in.h"
#include "support/testenv.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include <QHostInfo>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestLogin : public QObject {
    Q_OBJECT

    // Each test starts with the settings naming its database, which holds the account "ali", and the form shown.
    std::unique_ptr<TestEnv> env;
    int programEnds = 0;

    // Signs in by the form's button; true when the handler ended without an error.
    static bool signIn(const QString &us = u"admin"_s, const QString &ps = u"1"_s)
    {
        forms::login->ui.us->setText(us);
        forms::login->ui.ps->setText(ps);
        return ui::guarded([] { forms::login->BitBtn1Click(); });
    }

    static QString lastUser() { return QString::fromUtf8(readFile(Tlogin::lastUserFile())).trimmed(); }
    static QString signedIn() { return SignedInUser::instance().karbar(); }
    // Whether the main window and the sign-in form are shown, and the times the program ended.
    QList<int> windowsAndEnds() const { return {forms::main_->isVisible(), forms::login->isVisible(), programEnds}; }

private Q_SLOTS:
    void initTestCase() { Tlogin::setProgramEnd([this] { ++programEnds; }); }
    void init()
    {
        programEnds = 0;
        env = std::make_unique<TestEnv>();
        user_store::storeLocalDatabase(env->dbPath());
        env->exec(u"insert into users (us, ps, ver, status) values ('ali', 'p', '0', 'فعال')"_s);
        forms::login->show();
    }
    void cleanup() { env.reset(); }

    // Refused: nothing written, the form stays; or signed in with its rows written. Names trimmed, as stored.
    void signInEnds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("told");   // the refusal; empty: signed in
        QTest::addColumn<QString>("holder"); // the account signed in
        const QString wrong = u"کلمه يا رمز عبور اشتباه است"_s, noName = u"نام كاربري را وارد نماييد"_s;
        const QString badName = u"نام كاربري نويسه نامعتبر دارد"_s, badPassword = u"كلمه عبور نويسه نامعتبر دارد"_s;
        QTest::newRow("wrong password") << u"ali"_s << u"x' or '1'='1"_s << wrong << QString();
        QTest::newRow("inactive user") << u"reza"_s << u"r"_s << u"کاربر شما غير فعال شده است"_s << QString();
        QTest::newRow("password typed on a Persian keyboard") << u"علی۱"_s << u"1ي"_s << wrong << QString();
        QTest::newRow("invisible name") << u"\u034F \uFE0F\u3164\U000E0100"_s << QString() << noName << QString();
        QTest::newRow("control character in the name") << u"ali\u0001"_s << u"p"_s << badName << QString();
        QTest::newRow("control character in the password") << u"ali"_s << u"p\t"_s << badPassword << QString();
        QTest::newRow("quotes") << u"o'neil"_s << u"p'q"_s << QString() << u"o'neil"_s;
        QTest::newRow("blanks around") << u" ali "_s << u"p"_s << QString() << u"ali"_s;
        QTest::newRow("Persian keyboard") << u"علی۱"_s << u"۱ی"_s << QString() << u"علي1"_s;
    }
    void signInEnds()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, told);
        QFETCH(QString, holder);
        env->exec(u"insert into users (us, ps, status) values ('reza', 'r', 'غير فعال'), ('علي1', '۱ی', 'فعال'), "
                  "('o''neil', 'p''q', 'فعال'), ('', '', 'فعال'), (?, '', 'فعال')"_s,
                  {u"\u034F \uFE0F\u3164\U000E0100"_s});
        const QString fullName(250, u'ن');
        env->exec(u"update users set ver='0', lev='shahr', nam=? where us<>'admin'"_s, {fullName});
        env->exec(u"insert into payamha (rec_prs_id, show_dat) select id, '' from users"_s);
        signIn(name, password);
        const bool in = told.isEmpty();
        QCOMPARE(env->dialogs.messages(), in ? QStringList() : QStringList{told});
        QCOMPARE(signedIn() + u'|' + lastUser(), in ? holder + u'|' + name.trimmed() : u"karbar|"_s);
        QCOMPARE(windowsAndEnds(), (QList<int>{in, !in, 0}));
        // The audit row, cut to its columns, names the workstation (unresolved: this machine's own name).
        const QString resolved = platform::hostNameOf(platform::localIp());
        const QString computer = (resolved.isEmpty() ? QHostInfo::localHostName() : resolved).left(50);
        const QString cmt = QString(u"  ورود موفق به نرم افزار  "_s + holder + u' ' + fullName).left(200);
        const QStringList audit{holder, Tlogin::LocalIP(), computer, shamsiToday(), cmt, u"1|1"_s};
        QCOMPARE(rowTexts(u"select karbar, ip, computer_name, tarikh, cmt, saat_sys is not null, "
                          "saat glob '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]' from log"_s),
                 in ? QStringList{audit.join(u'|')} : QStringList());
        if (!in)
            return;
        const SignedInUser &user = SignedInUser::instance();
        QCOMPARE(rowTexts(u"select id, ver, lev from users where us=?"_s, {holder}),
                 QStringList{user.prsId() + u"|1|"_s + user.level()});
        QCOMPARE(forms::main_->ui->N17->text(), u"پيام*"_s);
    }

    // An older program: the refusal row, the newest program saved, the end. A version unread: the error, no row.
    void outdatedOrUnreadableVersionIsRefused()
    {
        env->exec(u"update users set ver='2' where us='admin'"_s);
        env->exec(u"insert into zamaem (cmt, pictype, pic) values ('آخرين نسخه نرم افزار', '.bin', 'file bytes')"_s);
        env->dialogs.files.enqueue(env->folder() + u"/newest"_s);
        signIn(u"ali"_s, u"p"_s);
        QCOMPARE(env->dialogs.messages(), QStringList{u"اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  2"
                                                         " در ادامه نسخه جديد را دانلود و استفاده نماييد "_s});
        QCOMPARE(env->scalar(u"select ver from users where us='ali'"_s).toString(), u"1"_s);
        QCOMPARE(signedIn() + lastUser(), u"aliali"_s);
        QCOMPARE(rowTexts(u"select karbar, cmt from log where saat_sys is not null"_s),
                 QStringList{u"ali|  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   2 ali"_s});
        QCOMPARE(env->dialogs.shown.at(1).detail, u"tavrel" + shamsiToday().replace(u'/', u'_'));
        QCOMPARE(readFile(env->folder() + u"/newest.bin"_s), QByteArray("file bytes"));
        QCOMPARE(windowsAndEnds(), (QList<int>{false, false, 1}));

        env->exec(u"update users set ver='' where us='admin'"_s);
        QVERIFY(!signIn(u"ali"_s, u"p"_s));
        QCOMPARE(env->scalar(u"select count(*) from log"_s).toInt(), 1);
    }

    // An unknown kind opens nothing; a mistyped path makes no file; a read-only file is told as such.
    void unusableDatabasesAreNeverReachedOrMade()
    {
        connection::writeSettings({env->dbPath(), QString(), u"Oracle"_s, {}, {}, {}});
        QVERIFY(!signIn());
        QCOMPARE(env->dialogs.errors(), QStringList{db::message::notConnected});
        QVERIFY(!forms::dm->ADOConnection1.connected() && signedIn() == u"karbar"_s);

        const QString typo = env->folder() + u"/tavrl.sqlite"_s;
        user_store::storeLocalDatabase(typo);
        signIn();
        QCOMPARE(env->dialogs.lastMessage(), u"فايل اكسس يافت نشد"_s);
        QVERIFY(!QFile::exists(typo));

        user_store::storeLocalDatabase(env->dbPath());
        QFile::setPermissions(env->dbPath(), QFile::ReadOwner);
        {
            const PermissionsHold hold;
            signIn();
        }
        QCOMPARE(env->dialogs.lastMessage(), db::message::readOnly);
        QVERIFY(!forms::dm->ADOConnection1.connected());
    }

    // A silent server is given up within the connect time (2 s here), not the statement time (30 s), in Persian:
    // silent at all, after the login, at the users.
    void serverSilentAfterTheConnection()
    {
        using Silence = SqlServerStandIn::Silence;
        const std::pair<Silence, QString> silences[]{
            {Silence::Always,
             u"تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد"_s},
            {Silence::AfterLogin, db::message::linkLost}, {Silence::AfterSessionSettings, db::message::timeout}};
        for (const auto &[silence, told] : silences) {
            env->dialogs.reset();
            SqlServerStandIn server(silence);
            connection::writeSettings({u"127.0.0.1,"_s + QString::number(server.port()), u"tavrel"_s,
                                       connection::sqlServerLogin, u"sa"_s, {}, u"x"_s});
            forms::dm->ADOConnection1.setTimeouts({2, 30, 5000});
            QElapsedTimer clock;
            clock.start();
            signIn();
            QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(server.logins(), silence == Silence::Always ? 0 : 1);
            const QStringList lines = (env->dialogs.messages() + env->dialogs.errors()).join(u'\n').split(u'\n');
            QVERIFY2(lines.contains(told), qPrintable(lines.join(u'|')));
            QVERIFY(!forms::dm->ADOConnection1.connected() && !forms::main_->isVisible());
        }
    }

    // Refused changes keep the password and the form; a change is stored as typed, and the old one fails.
    void passwordChange()
    {
        // The sign-in form's password, the two boxes, the message, the password stored after.
        const QList<QStringList> changes{
            {u"1"_s, QString(), QString(), u"كلمه عبور صحيح نيست"_s, u"1"_s},
            {u"1"_s, u"n"_s, u"m"_s, u"كلمه عبور جديد همخواني ندارد"_s, u"1"_s},
            {u"changed meanwhile"_s, u"n"_s, u"n"_s, u"كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"_s, u"1"_s},
            {u"1"_s, u"نو ۲ "_s, u"نو ۲ "_s, u"كلمه عبور تغيير يافت"_s, u"نو ۲ "_s}};
        for (const QStringList &c : changes) {
            env->dialogs.reset();
            setFieldTexts(forms::login, {{u"us"_s, u"admin"_s}, {u"ps"_s, c[0]}});
            forms::login->hide();
            forms::change_pass->show();
            setFieldTexts(forms::change_pass, {{u"Edit1"_s, c[1]}, {u"Edit2"_s, c[2]}});
            forms::change_pass->BitBtn1Click();
            QCOMPARE(env->dialogs.messages(), QStringList{c[3]});
            QCOMPARE(env->scalar(u"select ps from users where us='admin'"_s).toString(), c[4]);
            // While refused, the password change is left open; after a change, the sign-in is shown.
            QCOMPARE(forms::login->isVisible() + 2 * forms::change_pass->isVisible(), c[4] == u"1"_s ? 2 : 1);
        }
        forms::login->BitBtn1Click();
        QCOMPARE(env->dialogs.lastMessage(), u"کلمه يا رمز عبور اشتباه است"_s);
        QCOMPARE(forms::change_pass->ui.Edit1->text(), u"نو ۲ "_s); // kept for the next showing
    }

    // Read backwards, each Windows-1256 byte one lower ("ب" 0xC8 to "ا"); any text stored and read back whole, in
    // place of the value under another spelling of its name, as the registry's names were.
    void passwordStoredScrambledOnCodePageBytes()
    {
        QCOMPARE(ScramblePassword(u"805317"_s) + ScramblePassword(u"بپ"_s), u"6024/7€ا"_s);
        QCOMPARE(ScramblePassword(QString(QChar(0))), QString(QChar(0x06D2)));
        platform::settings()->setValue(u"TAVRELPASSWORD"_s, u"old"_s);
        for (const QString &password : {u"رمز عبور۱۴۰۳گچ"_s, u"یک\u06CCx"_s, u"xA"_s, u" !a "_s}) {
            QVERIFY(connection::writeSettings({u"s"_s, u"d"_s, connection::sqlServerLogin, u"sa"_s, {}, password}));
            QCOMPARE(platform::settingText(*platform::settings(), u"TavrelPassWord"_s), ScramblePassword(password));
            QCOMPARE(connection::readSettings()->password, password);
        }
        QCOMPARE(platform::settings()->childKeys().filter(u"password"_s, Qt::CaseInsensitive).size(), 1);
    }

    // Nothing stored: a sign-in asks for the settings, whose form proposes the local file. The first empty field
    // named and focused, or a path that can't name a new file refused, before anything is made or stored; one that
    // can is made with the schema, and signed in to. A store that cannot be written is said.
    void firstStartAndTheSettingsForm()
    {
        user_store::clear();
        signIn();
        QCOMPARE(env->dialogs.messages(), QStringList{u"لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد"_s});
        QCOMPARE(env->dialogs.shown.last().text, u"Tserver"_s);
        Tserver &form = *forms::server;
        QCOMPARE(form.ui.SqlServerName->text(), connection::defaultDatabaseFile());
        const QString folder = env->folder() + u"/semi;colon"_s;
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + u"/tavrel.sqlite"_s;
        const QList<std::array<QString, 3>> refused{
            // the path, the password, the refusal
            {QString(), u"p"_s, u"نام سرور را وارد نمائيد"_s},
            {file, QString(), u"رمز عبور را وارد نمائيد"_s},
            {env->folder() + u"/nowhere/tavrel.sqlite"_s, u"p"_s, u"پوشه اين فايل وجود ندارد"_s},
            {u"semi;colon/tavrel.sqlite"_s, u"p"_s, u"مسير کامل فايل را وارد نماييد"_s},
            {file + u' ', u"p"_s, u"مسير فايل با فاصله شروع يا تمام شده است"_s},
            {folder + u"/tav\nrel.sqlite"_s, u"p"_s, u"مسير فايل نويسه نامعتبر دارد"_s},
            {folder, u"p"_s, u"اين مسير يک پوشه است؛ نام فايل را هم وارد نماييد"_s},
        };
        for (const auto &[path, password, message] : refused) {
            form.ui.SqlServerName->setText(path);
            form.ui.Password->setText(password);
            ui::guarded([&] { form.Button1Click(); });
            QCOMPARE(env->dialogs.lastMessage(), message);
            QCOMPARE(form.focusWidget(), password.isEmpty() ? form.ui.Password : form.ui.SqlServerName);
        }
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QVERIFY(!connection::readSettings());

        form.ui.SqlServerName->setText(file);
        form.Button1Click();
        QVERIFY(signIn());
        QCOMPARE(forms::dm->ADOConnection1.databaseName() + signedIn(), file + u"admin");
        QCOMPARE(QDir(env->folder()).entryList({u"semi*"_s, u"nowhere*"_s}), QStringList{u"semi;colon"_s});

        const QString store = platform::settings()->fileName();
        QFile::remove(store);
        QVERIFY(QDir().mkpath(store));
        form.Button1Click();
        QDir(store).removeRecursively();
        QCOMPARE(env->dialogs.lastMessage(), u"عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"_s);
    }

    // Values braced, ports after a comma; the central server: its address alone, or none stored, told.
    void connectionStringsAndTheCentralServer()
    {
        const QString tail = u";TDS_Version=7.4;ClientCharset=UTF-8"_s;
        const QList<std::pair<connection::Settings, QString>> cases{
            {{u"192.168.7.20"_s, u"tavrel"_s, connection::sqlServerLogin, u"sa"_s, {}, u"a;b}c"_s},
             u"DRIVER=FreeTDS;SERVER=192.168.7.20;PORT=1433;DATABASE=tavrel;UID=sa;PWD={a;b}}c}"_s + tail},
            {{u"office, 1500"_s, u" d"_s, connection::windowsLogin, u"sa"_s, {}, u"x"_s},
             u"DRIVER=FreeTDS;SERVER=office;PORT=1500;DATABASE={ d};Trusted_Connection=Yes"_s + tail},
            {{u"office"_s, u"d"_s, u"Oracle"_s, u"sa"_s, {}, u"x"_s}, QString()}};
        for (const auto &[settings, expected] : cases)
            QCOMPARE(BuildConnectionString(settings), expected);

        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        QCOMPARE(env->dialogs.messages(), QStringList{u"سرور مرکزي در تنظيمات اين کامپيوتر تعريف نشده است"_s});
        QVERIFY(connection::writeCentralSettings({u"tavrel.example.net"_s, {}, {}, {}, {}, u"Ludvex#!%"_s}));
        QCOMPARE(connection::storedValue(u"tavrelCentralPassword"_s), ScramblePassword(u"Ludvex#!%"_s));
        QCOMPARE(BuildConnectionString(*connection::readCentralSettings()),
                 u"DRIVER=FreeTDS;SERVER=tavrel.example.net;PORT=1433;DATABASE=tavrel;UID=sa;PWD={Ludvex#!%}"_s + tail);

        // One that can't be reached: what to check, then the driver's reason.
        env->dialogs.reset();
        connection::writeCentralSettings({u"127.0.0.1,1"_s, {}, {}, {}, {}, u"x"_s});
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        const QStringList lines = env->dialogs.lastMessage().split(u'\n');
        QCOMPARE(lines.first(), u"از اتصال خود به اينترنت مطمئن شويد"_s);
        QVERIFY2(lines.size() == 2 && !lines.last().isEmpty(), qPrintable(env->dialogs.lastMessage()));
        QVERIFY(!forms::dm->ADOConnection1.connected());
    }

};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
