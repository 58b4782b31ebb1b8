// The connection settings: the stored password form, the store, the settings form and the connection
// strings and failures of each kind of database.
#include "connection_settings.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "server_u.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include <QDir>
#include <QtTest>

class TestServer : public QObject {
    Q_OBJECT

    static QString rawPassword() { return platform::settingText(*platform::settings(), QStringLiteral("tavrelPassword")); }

    static connection::Settings sqlLogin(const QString &password)
    {
        return {QStringLiteral("192.168.7.20"), QStringLiteral("tavrel"), connection::sqlServerLogin,
                QStringLiteral("sa"), QStringLiteral("64-bit"), password};
    }

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }
    void cleanup() { user_store::clear(); }

    void scrambleWorksOnCodePageBytes()
    {
        // Read backwards, each Windows-1256 byte one lower: "ب" (0xC8) becomes "ا" (0xC7), "پ" (0x81) "€" (0x80).
        QCOMPARE(ScramblePassword(QStringLiteral("805317")), QStringLiteral("6024/7"));
        QCOMPARE(ScramblePassword(QStringLiteral("بپ")), QStringLiteral("€ا"));
        QCOMPARE(ScramblePassword(QString(QChar(0))), QString(QChar(0x06D2))); // 0x00 wraps to 0xFF
        QCOMPARE(ScramblePassword(QString()), QString());
    }

    void scrambleRoundTrip_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("default") << QStringLiteral("pemtor*%#");
        QTest::newRow("persian") << QStringLiteral("رمز عبور۱۴۰۳گچ");
        QTest::newRow("outside the code page") << QStringLiteral("یک\u06CCx");
        QTest::newRow("starts with @ when stored") << QStringLiteral("xA");
        QTest::newRow("blanks and control bytes") << QStringLiteral(" !a ");
    }
    void scrambleRoundTrip()
    {
        QFETCH(QString, password);
        QCOMPARE(ScramblePassword(password).size(), password.size());
        QCOMPARE(UnscramblePassword(ScramblePassword(password)), password);

        // Through the store: written scrambled, read back as typed.
        TestEnv env;
        user_store::clear();
        QVERIFY(connection::writeSettings(sqlLogin(password)));
        QCOMPARE(rawPassword(), ScramblePassword(password));
        QCOMPARE(connection::readSettings()->password, password);
    }

    void storeReadsNamesInAnyCase()
    {
        TestEnv env;
        user_store::clear();
        QVERIFY(!connection::readSettings());
        {
            auto store = platform::settings();
            store->setValue(QStringLiteral("TavrelSqlServerName"), QStringLiteral("srv"));
            store->setValue(QStringLiteral("TAVRELAUTHENTICATION"), QStringLiteral("Windows"));
        }
        const auto read = connection::readSettings();
        QVERIFY(read);
        QCOMPARE(read->sqlServerName, QStringLiteral("srv"));
        QCOMPARE(read->authentication, QStringLiteral("Windows"));
        QCOMPARE(read->password, QString());

        QVERIFY(connection::writeSettings(sqlLogin(QStringLiteral("x"))));
        const QStringList keys = platform::settings()->childKeys();
        QCOMPARE(keys.filter(QStringLiteral("tavrelsqlservername"), Qt::CaseInsensitive),
                 QStringList{QStringLiteral("tavrelSqlServerName")});
        QCOMPARE(connection::readSettings()->authentication, connection::sqlServerLogin);
    }

    void formShowsStoredWindowsSettings()
    {
        TestEnv env;
        user_store::clear();
        connection::Settings stored = sqlLogin(QStringLiteral("رمز"));
        stored.authentication = connection::windowsLogin;
        connection::writeSettings(stored);
        Tserver &form = *forms::server;
        form.show();
        QVERIFY(form.ui.RadioGroup1Item0->isChecked());
        QCOMPARE(form.ui.SqlServerName->text(), stored.sqlServerName);
        QCOMPARE(form.ui.UserName->text(), stored.userName);
        QCOMPARE(form.ui.Password->text(), QStringLiteral("رمز"));
        QVERIFY(!form.ui.StaticText1->isVisible());
        // The stored system type is not read back: storing again writes the list's choice.
        QCOMPARE(form.ui.SystemType->currentText(), QStringLiteral("32-bit"));
        form.Button1Click();
        QCOMPARE(connection::readSettings()->systemType, QStringLiteral("32-bit"));
        QVERIFY(!form.isVisible());
    }

    void formShowsStoredLocalFile()
    {
        TestEnv env;
        user_store::clear();
        user_store::storeLocalDatabase(env.dbPath());
        Tserver &form = *forms::server;
        form.show();
        QVERIFY(form.ui.RadioGroup1Item2->isChecked());
        QVERIFY(form.ui.StaticText1->isVisible());
        QCOMPARE(form.ui.SqlServerName->text(), env.dbPath()); // not refilled by the selection
        QCOMPARE(form.ui.RadioGroup1Item2->text(), QStringLiteral("SQLite"));
    }

    void formProposesLocalFileWhenNothingIsStored()
    {
        TestEnv env;
        user_store::clear();
        Tserver &form = *forms::server;
        form.show();
        QVERIFY(form.ui.RadioGroup1Item2->isChecked());
        QCOMPARE(form.ui.SqlServerName->text(),
                 QDir(platform::appDataFolder()).filePath(QStringLiteral("tavrel.sqlite")));
        QVERIFY(form.ui.StaticText1->isVisible());
    }

    void choosingAKindFillsItsDefaults()
    {
        TestEnv env;
        Tserver &form = *forms::server;
        form.ui.SqlServerName->setText(QStringLiteral("kept"));
        form.ui.RadioGroup1Item2->click();
        QCOMPARE(form.ui.DataBase->text(), QStringLiteral("tavrel.accdb"));
        QCOMPARE(form.ui.UserName->text(), QStringLiteral("admin"));
        QCOMPARE(form.ui.Password->text(), QStringLiteral("805317"));
        QVERIFY(!form.ui.StaticText1->isHidden());
        form.ui.RadioGroup1Item0->click();
        QCOMPARE(form.ui.DataBase->text(), QStringLiteral("tavrel"));
        QCOMPARE(form.ui.UserName->text(), QStringLiteral("sa"));
        QCOMPARE(form.ui.Password->text(), QStringLiteral("pemtor*%#"));
        QVERIFY(form.ui.StaticText1->isHidden());
        QCOMPARE(form.ui.SqlServerName->text(), QStringLiteral("kept"));

        form.Label2Click();
        QCOMPARE(form.ui.SqlServerName->text(), connection::defaultServer);
        form.ui.Password->clear();
        form.Label5Click();
        QCOMPARE(form.ui.Password->text(), QStringLiteral("pemtor*%#"));

        env.dialogs.files.enqueue(QStringLiteral("/data/office.sqlite"));
        form.StaticText1Click();
        QCOMPARE(form.ui.SqlServerName->text(), QStringLiteral("/data/office.sqlite"));
        form.StaticText1Click(); // cancelled: unchanged
        QCOMPARE(form.ui.SqlServerName->text(), QStringLiteral("/data/office.sqlite"));
    }

    void emptyFieldsAreRefusedInOrder_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<QString>("message");
        QTest::newRow("server") << 0 << QStringLiteral("نام سرور را وارد نمائيد");
        QTest::newRow("database") << 1 << QStringLiteral("نام ديتابيس را وارد نمائيد");
        QTest::newRow("user") << 2 << QStringLiteral("کلمه کاربري را وارد نمائيد");
        QTest::newRow("password") << 3 << QStringLiteral("رمز عبور را وارد نمائيد");
    }
    void emptyFieldsAreRefusedInOrder()
    {
        QFETCH(int, empty);
        QFETCH(QString, message);
        TestEnv env;
        user_store::clear();
        Tserver &form = *forms::server;
        const QList<QLineEdit *> edits{form.ui.SqlServerName, form.ui.DataBase, form.ui.UserName, form.ui.Password};
        for (qsizetype i = empty; i < edits.size(); ++i)
            edits[i]->clear(); // the later ones empty too: only the first is named
        form.Button1Click();
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        QCOMPARE(env.dialogs.shown.first().buttons, ui::Buttons::Yes);
        QCOMPARE(form.focusWidget(), edits[empty]);
        QVERIFY(!connection::readSettings());
    }

    void storingFailureIsReported()
    {
        TestEnv env;
        user_store::clear();
        // A folder where the settings file should be: the store cannot be written.
        const QString file = platform::settings()->fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        Tserver &form = *forms::server;
        form.show();
        form.Button1Click();
        QDir(file).removeRecursively();
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"));
        QVERIFY(!form.isVisible());
    }

    void closeButtonReadsEnd()
    {
        TestEnv env;
        Tserver &form = *forms::server;
        form.show();
        form.Button2Click();
        QVERIFY(!form.isVisible());
        form.show();
        QCOMPARE(form.ui.Button2->text(), QStringLiteral("end"));
    }

    void connectionStrings()
    {
        connection::Settings s = sqlLogin(QStringLiteral("pemtor*%#"));
        QCOMPARE(BuildConnectionString(s),
                 QStringLiteral("DRIVER=FreeTDS;SERVER=192.168.7.20;PORT=1433;DATABASE=tavrel;UID=sa;"
                                "PWD={pemtor*%#};TDS_Version=7.4;ClientCharset=UTF-8"));
        s.password = QStringLiteral("a;b}c");
        QVERIFY(BuildConnectionString(s).contains(QStringLiteral(";PWD={a;b}}c};")));
        s.password = QStringLiteral("plain");
        QVERIFY(BuildConnectionString(s).contains(QStringLiteral(";PWD=plain;")));

        s.authentication = connection::windowsLogin;
        QCOMPARE(BuildConnectionString(s),
                 QStringLiteral("DRIVER=FreeTDS;SERVER=192.168.7.20;PORT=1433;DATABASE=tavrel;"
                                "Trusted_Connection=Yes;TDS_Version=7.4;ClientCharset=UTF-8"));

        s.authentication = connection::localFile;
        s.sqlServerName = QStringLiteral("/home/ali/tavrel.sqlite");
        QCOMPARE(BuildConnectionString(s), QStringLiteral("Provider=SQLite;Data Source=/home/ali/tavrel.sqlite"));
        s.authentication = QStringLiteral("Oracle");
        QCOMPARE(BuildConnectionString(s), QString());

        QCOMPARE(CentralConnectionString(QStringLiteral("tavrel.example.net")),
                 QStringLiteral("DRIVER=FreeTDS;SERVER=tavrel.example.net;PORT=1433;DATABASE=tavrel;UID=sa;"
                                "PWD={Ludvex#!%};TDS_Version=7.4;ClientCharset=UTF-8"));
    }

    void connectingFailures_data()
    {
        QTest::addColumn<QString>("authentication");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing stored") << QString() << QString()
                                        << QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
        QTest::newRow("file under a file") << connection::localFile << QStringLiteral("<file>/x.sqlite")
                                                  << QStringLiteral("فايل اكسس يافت نشد");
        QTest::newRow("empty file name") << connection::localFile << QString() << QStringLiteral("فايل اكسس يافت نشد");
        QTest::newRow("no server") << connection::sqlServerLogin << QStringLiteral("127.0.0.1")
                                   << QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");
    }
    void connectingFailures()
    {
        QFETCH(QString, authentication);
        QFETCH(QString, server);
        QFETCH(QString, message);
        TestEnv env;
        user_store::clear();
        if (!authentication.isEmpty()) {
            connection::Settings s = sqlLogin(QStringLiteral("x"));
            s.authentication = authentication;
            // A folder that cannot be made: a plain file stands in its place.
            const QString plainFile = env.folder() + QStringLiteral("/plain");
            QFile plain(plainFile);
            QVERIFY(plain.open(QIODevice::WriteOnly));
            s.sqlServerName = QString(server).replace(QStringLiteral("<file>"), plainFile);
            connection::writeSettings(s);
        }
        QVERIFY(!ConnectDatabase(DatabaseChoice::Local));
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        QCOMPARE(env.dialogs.shown.first().buttons, ui::Buttons::Yes);
        QCOMPARE(env.dialogs.shown.first().icon, ui::Icon::Warning);
        QCOMPARE(env.dialogs.shown.last().kind, QStringLiteral("modal"));
        QCOMPARE(env.dialogs.shown.last().text, QStringLiteral("Tserver"));
        QVERIFY(forms::server->isVisible());
        // Once settings are stored the connection is closed before it is tried again.
        QCOMPARE(forms::dm->ADOConnection1.connected(), authentication.isEmpty());
    }

    void centralServer()
    {
        TestEnv env;
        user_store::clear();
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet)); // no address stored
        platform::settings()->setValue(QStringLiteral("tavrelCentralServer"), QStringLiteral("127.0.0.1"));
        QVERIFY(!ConnectDatabase(DatabaseChoice::Internet));
        QCOMPARE(env.dialogs.messages(), QStringList(2, QStringLiteral("از اتصال خود به اينترنت مطمئن شويد")));
        QCOMPARE(env.dialogs.shown.last().kind, QStringLiteral("message")); // no settings form
    }

    void unknownKindLeavesTheConnectionClosed()
    {
        TestEnv env;
        user_store::clear();
        connection::Settings s = sqlLogin(QStringLiteral("x"));
        s.authentication = QStringLiteral("Oracle");
        connection::writeSettings(s);
        QVERIFY(ConnectDatabase(DatabaseChoice::Local));
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QVERIFY(env.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestServer)
#include "tst_server.moc"
