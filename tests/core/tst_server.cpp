// The connection settings: the stored password, the settings form, the connection strings, the central server.
#include "connection_settings.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "server_u.h"
#include "support/testenv.h"
#include "ui/guard.h"
#include <QtTest>

using namespace Qt::StringLiterals;

class TestServer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Read backwards, each Windows-1256 byte one lower ("ب" 0xC8 to "ا"); any text stored and read back whole.
    void passwordStoredScrambledOnCodePageBytes()
    {
        QCOMPARE(ScramblePassword(u"805317"_s) + ScramblePassword(u"بپ"_s), u"6024/7€ا"_s);
        QCOMPARE(ScramblePassword(QString(QChar(0))), QString(QChar(0x06D2)));
        TestEnv env;
        for (const QString &password : {u"رمز عبور۱۴۰۳گچ"_s, u"یک\u06CCx"_s, u"xA"_s, u" !a "_s}) {
            QVERIFY(connection::writeSettings({u"s"_s, u"d"_s, connection::sqlServerLogin, u"sa"_s, {}, password}));
            QCOMPARE(platform::settingText(*platform::settings(), u"TAVRELPASSWORD"_s), ScramblePassword(password));
            QCOMPARE(connection::readSettings()->password, password);
        }
    }

    // The first empty field named and focused, or a path that can't name a new file refused, before anything is made
    // or stored; one that can is made, with the schema; a store that cannot be written is said.
    void settingsFormRefusalsAndANewFile()
    {
        TestEnv env;
        Tserver &form = *forms::server;
        form.show(); // nothing stored: the local file is proposed
        const QString folder = env.folder() + u"/semi;colon"_s;
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + u"/tavrel.sqlite"_s;
        const QList<std::array<QString, 3>> refused{
            // the path, the password, the refusal
            {QString(), u"p"_s, u"نام سرور را وارد نمائيد"_s},
            {file, QString(), u"رمز عبور را وارد نمائيد"_s},
            {env.folder() + u"/nowhere/tavrel.sqlite"_s, u"p"_s, u"پوشه اين فايل وجود ندارد"_s},
            {u"semi;colon/tavrel.sqlite"_s, u"p"_s, u"مسير کامل فايل را وارد نماييد"_s},
            {file + u' ', u"p"_s, u"مسير فايل با فاصله شروع يا تمام شده است"_s},
            {folder + u"/tav\nrel.sqlite"_s, u"p"_s, u"مسير فايل نويسه نامعتبر دارد"_s},
            {folder, u"p"_s, u"اين مسير يک پوشه است؛ نام فايل را هم وارد نماييد"_s},
        };
        for (const auto &[path, password, message] : refused) {
            form.ui.SqlServerName->setText(path);
            form.ui.Password->setText(password);
            ui::guarded([&] { form.Button1Click(); });
            QCOMPARE(env.dialogs.lastMessage(), message);
            QCOMPARE(form.focusWidget(), password.isEmpty() ? form.ui.Password : form.ui.SqlServerName);
        }
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QVERIFY(!connection::readSettings());

        form.ui.SqlServerName->setText(file);
        form.Button1Click();
        QVERIFY(ConnectDatabase(DatabaseChoice::Local));
        QCOMPARE(forms::dm->ADOConnection1.databaseName(), file);
        QCOMPARE(env.scalar(u"select status from users where us='admin'"_s).toString(), u"فعال"_s);
        QCOMPARE(QDir(env.folder()).entryList({u"semi*"_s, u"nowhere*"_s}), QStringList{u"semi;colon"_s});

        const QString store = platform::settings()->fileName();
        QFile::remove(store);
        QVERIFY(QDir().mkpath(store));
        form.Button1Click();
        QDir(store).removeRecursively();
        QCOMPARE(env.dialogs.lastMessage(), u"عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"_s);
    }

    // Passwords braced, ports after a comma; the central server: its address alone, or none stored, told.
    void connectionStringsAndTheCentralServer()
    {
        const QString tail = u";TDS_Version=7.4;ClientCharset=UTF-8"_s;
        const QList<std::pair<connection::Settings, QString>> cases{
            {{u"192.168.7.20"_s, u"tavrel"_s, connection::sqlServerLogin, u"sa"_s, {}, u"a;b}c"_s},
             u"DRIVER=FreeTDS;SERVER=192.168.7.20;PORT=1433;DATABASE=tavrel;UID=sa;PWD={a;b}}c}"_s + tail},
            {{u"office, 1500"_s, u"d"_s, connection::windowsLogin, u"sa"_s, {}, u"x"_s},
             u"DRIVER=FreeTDS;SERVER=office;PORT=1500;DATABASE=d;Trusted_Connection=Yes"_s + tail},
            {{u"office"_s, u"d"_s, u"Oracle"_s, u"sa"_s, {}, u"x"_s}, QString()}};
        for (const auto &[settings, expected] : cases)
            QCOMPARE(BuildConnectionString(settings), expected);

        TestEnv env;
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        QCOMPARE(env.dialogs.messages(), QStringList{u"سرور مرکزي در تنظيمات اين کامپيوتر تعريف نشده است"_s});
        QVERIFY(connection::writeCentralSettings({u"tavrel.example.net"_s, {}, {}, {}, {}, u"Ludvex#!%"_s}));
        QCOMPARE(connection::storedValue(u"tavrelCentralPassword"_s), ScramblePassword(u"Ludvex#!%"_s));
        QCOMPARE(BuildConnectionString(*connection::readCentralSettings()),
                 u"DRIVER=FreeTDS;SERVER=tavrel.example.net;PORT=1433;DATABASE=tavrel;UID=sa;PWD={Ludvex#!%}"_s + tail);

        // One that can't be reached: what to check, then the driver's reason.
        env.dialogs.reset();
        connection::writeCentralSettings({u"127.0.0.1,1"_s, {}, {}, {}, {}, u"x"_s});
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        const QStringList lines = env.dialogs.lastMessage().split(u'\n');
        QCOMPARE(lines.first(), u"از اتصال خود به اينترنت مطمئن شويد"_s);
        QVERIFY2(lines.size() == 2 && !lines.last().isEmpty(), qPrintable(env.dialogs.lastMessage()));
        QVERIFY(!forms::dm->ADOConnection1.connected());
    }

};

QTEST_MAIN(TestServer)
#include "tst_server.moc"
