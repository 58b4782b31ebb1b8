// The connection settings: the stored password, the settings form, and the connection strings and
// failures of each kind of database.
#include "connection_settings.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "ui/radio_group.h"
#include "server_u.h"
#include "ui/guard.h"
#include "support/testenv.h"
#include <QDir>
#include <QtTest>

using connection::Settings;

class TestServer : public QObject {
    Q_OBJECT

    static Settings stored(const QString &kind, const QString &server, const QString &password = QStringLiteral("x"))
    {
        return {server, QStringLiteral("tavrel"), kind, QStringLiteral("sa"), QStringLiteral("64-bit"), password};
    }

private Q_SLOTS:
    void passwordStoredScrambledOnCodePageBytes()
    {
        // Read backwards, each Windows-1256 byte one lower: "ب" (0xC8) becomes "ا", "پ" (0x81) "€".
        QCOMPARE(ScramblePassword(QStringLiteral("805317")), QStringLiteral("6024/7"));
        QCOMPARE(ScramblePassword(QStringLiteral("بپ")), QStringLiteral("€ا"));
        QCOMPARE(ScramblePassword(QString(QChar(0))), QString(QChar(0x06D2))); // 0x00 wraps to 0xFF
        // Stored and read back whole: Persian, letters outside the code page, a text the store could take for
        // one of its own ("@..."), blanks that scramble to control bytes.
        TestEnv env;
        for (const QString &password : {QStringLiteral("رمز عبور۱۴۰۳گچ"), QStringLiteral("یک\u06CCx"),
                                        QStringLiteral("xA"), QStringLiteral(" !a ")}) {
            QVERIFY(connection::writeSettings(stored(connection::sqlServerLogin, QStringLiteral("s"), password)));
            const QString raw = platform::settingText(*platform::settings(), QStringLiteral("TAVRELPASSWORD"));
            QCOMPARE(raw, ScramblePassword(password));
            QCOMPARE(connection::readSettings()->password, password);
        }
    }

    // The first empty field is named and takes the focus; nothing is stored.
    void refusalsAndAStoreThatCannotBeWritten()
    {
        TestEnv env;
        Tserver &form = *forms::server;
        const QList<QLineEdit *> edits{form.ui.SqlServerName, form.ui.DataBase, form.ui.UserName, form.ui.Password};
        for (QLineEdit *edit : edits)
            edit->clear();
        form.Button1Click();
        form.ui.SqlServerName->setText(QStringLiteral("s"));
        form.ui.DataBase->setText(QStringLiteral("d"));
        form.ui.UserName->setText(QStringLiteral("u"));
        form.Button1Click();
        QCOMPARE(env.dialogs.messages(),
                 (QStringList{QStringLiteral("نام سرور را وارد نمائيد"), QStringLiteral("رمز عبور را وارد نمائيد")}));
        QCOMPARE(env.dialogs.shown.first().buttons, ui::Buttons::Yes);
        QCOMPARE(form.focusWidget(), form.ui.Password);
        QVERIFY(!connection::readSettings());

        // A folder where the settings file should be: the store cannot be written, which is said.
        const QString file = platform::settings()->fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        form.show();
        form.ui.Password->setText(QStringLiteral("p"));
        form.Button1Click();
        QDir(file).removeRecursively();
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"));
        QVERIFY(!form.isVisible());
    }

    void connectionStrings()
    {
        Settings s = stored(connection::sqlServerLogin, QStringLiteral("192.168.7.20"), QStringLiteral("pemtor*%#"));
        QCOMPARE(BuildConnectionString(s), QStringLiteral("DRIVER=FreeTDS;SERVER=192.168.7.20;PORT=1433;DATABASE=tavrel;"
                                                          "UID=sa;PWD={pemtor*%#};TDS_Version=7.4;ClientCharset=UTF-8"));
        s.password = QStringLiteral("a;b}c");
        QVERIFY(BuildConnectionString(s).contains(QStringLiteral(";PWD={a;b}}c};")));
        s.authentication = connection::windowsLogin;
        QCOMPARE(BuildConnectionString(s), QStringLiteral("DRIVER=FreeTDS;SERVER=192.168.7.20;PORT=1433;DATABASE=tavrel;"
                                                          "Trusted_Connection=Yes;TDS_Version=7.4;ClientCharset=UTF-8"));
        s.authentication = QStringLiteral("Oracle");
        QCOMPARE(BuildConnectionString(s), QString());
        s = stored(connection::sqlServerLogin, QStringLiteral("office, 1500"));
        QVERIFY(BuildConnectionString(s).startsWith(QStringLiteral("DRIVER=FreeTDS;SERVER=office;PORT=1500;")));
    }

    // The central server is configuration: with none stored, choosing it says so and tries nothing; its address
    // alone gives the database "tavrel" and the login "sa", its password stored scrambled.
    void centralServer()
    {
        TestEnv env;
        QVERIFY(!connection::readCentralSettings());
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        QCOMPARE(env.dialogs.messages(), QStringList{QStringLiteral("سرور مرکزي در تنظيمات اين کامپيوتر تعريف نشده است")});
        QVERIFY(connection::writeCentralSettings({QStringLiteral("tavrel.example.net"), {}, {}, {}, {}, QStringLiteral("Ludvex#!%")}));
        QCOMPARE(connection::storedValue(QStringLiteral("tavrelCentralPassword")), ScramblePassword(QStringLiteral("Ludvex#!%")));
        QCOMPARE(BuildConnectionString(*connection::readCentralSettings()),
                 QStringLiteral("DRIVER=FreeTDS;SERVER=tavrel.example.net;PORT=1433;DATABASE=tavrel;UID=sa;"
                                "PWD={Ludvex#!%};TDS_Version=7.4;ClientCharset=UTF-8"));

        // A central server that can't be reached: what to check, then the driver's reason. (A silent server: the
        // sign-in's test.)
        env.dialogs.reset();
        connection::writeCentralSettings({QStringLiteral("127.0.0.1,1"), {}, {}, {}, {}, QStringLiteral("x")});
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        const QStringList lines = env.dialogs.lastMessage().split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("از اتصال خود به اينترنت مطمئن شويد"));
        QVERIFY2(lines.size() == 2 && !lines.last().isEmpty(), qPrintable(env.dialogs.lastMessage()));
        QVERIFY(!forms::dm->ADOConnection1.connected());
    }

    // Nothing stored, then a file that is not there: what to check, with the settings form shown modally. Once
    // settings are stored the connection is closed before it is tried again, and no file is made. (A server's
    // refusal: the silent server above.)
    void connectingFailures()
    {
        TestEnv env;
        QVERIFY(!ConnectDatabase(DatabaseChoice::Local));
        QVERIFY(forms::dm->ADOConnection1.connected());
        const QString missing = env.folder() + QStringLiteral("/typo.sqlite");
        connection::writeSettings(stored(connection::localFile, missing));
        QVERIFY(!ConnectDatabase(DatabaseChoice::Local));
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(env.dialogs.messages(), (QStringList{QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد"),
                                                      QStringLiteral("فايل اكسس يافت نشد")}));
        QCOMPARE(env.dialogs.shown.first().icon, ui::Icon::Warning);
        QCOMPARE(env.dialogs.shown.last().text, QStringLiteral("Tserver"));
        QVERIFY(forms::server->isVisible());
    }

    void confirmingANewFileCreatesItWithItsSchema()
    {
        TestEnv env;
        Tserver &form = *forms::server;
        form.show();
        setRadioIndex(form.ui.RadioGroup1, 2);
        form.RadioGroup1Click();
        // A folder that does not exist is refused by name and nothing is stored or made.
        const QString missingFolder = env.folder() + QStringLiteral("/nowhere/tavrel.sqlite");
        form.ui.SqlServerName->setText(missingFolder);
        QVERIFY(!ui::guarded([&] { form.Button1Click(); }));
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("پوشه اين فايل وجود ندارد"));
        QVERIFY(!QFileInfo::exists(env.folder() + QStringLiteral("/nowhere")));
        QVERIFY(!connection::readSettings());
        // Paths that can't name the file are refused before anything is made.
        const QString folder = env.folder() + QStringLiteral("/semi;colon");
        QVERIFY(QDir().mkpath(folder));
        const std::pair<QString, QString> refused[] = {
            {QStringLiteral("semi;colon/tavrel.sqlite"), QStringLiteral("مسير کامل فايل را وارد نماييد")},
            {folder + QStringLiteral("/tavrel.sqlite "), QStringLiteral("مسير فايل با فاصله شروع يا تمام شده است")},
            {folder + QStringLiteral("/tav\nrel.sqlite"), QStringLiteral("مسير فايل نويسه نامعتبر دارد")},
            {folder, QStringLiteral("اين مسير يک پوشه است؛ نام فايل را هم وارد نماييد")},
        };
        for (const auto &[path, message] : refused) {
            form.ui.SqlServerName->setText(path);
            QVERIFY(!ui::guarded([&] { form.Button1Click(); }));
            QCOMPARE(env.dialogs.lastMessage(), message);
        }
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QVERIFY(!connection::readSettings());
        // A new file in a folder that exists is made with the schema, under its path taken whole (";" and
        // all); its administrator can sign in.
        const QString file = folder + QStringLiteral("/tavrel.sqlite");
        form.ui.SqlServerName->setText(file);
        form.Button1Click();
        QCOMPARE(connection::readSettings()->sqlServerName, file);
        QVERIFY(ConnectDatabase(DatabaseChoice::Local));
        QCOMPARE(forms::dm->ADOConnection1.databaseName(), file);
        QCOMPARE(QDir(env.folder()).entryList({QStringLiteral("semi")}), QStringList());
        QCOMPARE(env.scalar(QStringLiteral("select status from users where us='admin'")).toString(), QStringLiteral("فعال"));
    }
};

QTEST_MAIN(TestServer)
#include "tst_server.moc"
