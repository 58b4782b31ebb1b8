// The connection settings: the stored password, the settings form, and the connection strings and
// failures of each kind of database.
#include "connection_settings.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "server_u.h"
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
    void scrambleWorksOnCodePageBytes()
    {
        // Read backwards, each Windows-1256 byte one lower: "ب" (0xC8) becomes "ا", "پ" (0x81) "€".
        QCOMPARE(ScramblePassword(QStringLiteral("805317")), QStringLiteral("6024/7"));
        QCOMPARE(ScramblePassword(QStringLiteral("بپ")), QStringLiteral("€ا"));
        QCOMPARE(ScramblePassword(QString(QChar(0))), QString(QChar(0x06D2))); // 0x00 wraps to 0xFF
    }

    void passwordRoundTrip_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("default") << QStringLiteral("pemtor*%#");
        QTest::newRow("persian") << QStringLiteral("رمز عبور۱۴۰۳گچ");
        QTest::newRow("outside the code page") << QStringLiteral("یک\u06CCx");
        QTest::newRow("stored text starts with @") << QStringLiteral("xA");
        QTest::newRow("blanks become control bytes") << QStringLiteral(" !a ");
    }
    void passwordRoundTrip()
    {
        QFETCH(QString, password);
        TestEnv env;
        QVERIFY(connection::writeSettings(stored(connection::sqlServerLogin, QStringLiteral("s"), password)));
        const QString raw = platform::settingText(*platform::settings(), QStringLiteral("TAVRELPASSWORD"));
        QCOMPARE(raw, ScramblePassword(password));
        QCOMPARE(raw.size(), password.size());
        QCOMPARE(connection::readSettings()->password, password);
    }

    void emptyFieldsAreRefusedInOrder_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<QString>("message");
        QTest::newRow("server") << 0 << QStringLiteral("نام سرور را وارد نمائيد");
        QTest::newRow("password") << 3 << QStringLiteral("رمز عبور را وارد نمائيد");
    }
    void emptyFieldsAreRefusedInOrder()
    {
        QFETCH(int, empty);
        QFETCH(QString, message);
        TestEnv env;
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
        // A folder where the settings file should be: the store cannot be written.
        const QString file = platform::settings()->fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        forms::server->show();
        forms::server->Button1Click();
        QDir(file).removeRecursively();
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"));
        QVERIFY(!forms::server->isVisible());
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
        s = stored(connection::localFile, QStringLiteral("/home/ali/tavrel.sqlite"));
        QCOMPARE(BuildConnectionString(s), QStringLiteral("Provider=SQLite;Data Source=/home/ali/tavrel.sqlite"));
        s.authentication = QStringLiteral("Oracle");
        QCOMPARE(BuildConnectionString(s), QString());
        QCOMPARE(CentralConnectionString(QStringLiteral("tavrel.example.net")),
                 QStringLiteral("DRIVER=FreeTDS;SERVER=tavrel.example.net;PORT=1433;DATABASE=tavrel;UID=sa;"
                                "PWD={Ludvex#!%};TDS_Version=7.4;ClientCharset=UTF-8"));
    }

    void connectingFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing stored") << QString() << QString()
                                        << QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
        QTest::newRow("file under a file") << connection::localFile << QStringLiteral("<file>/x.sqlite")
                                           << QStringLiteral("فايل اكسس يافت نشد");
        QTest::newRow("empty file name") << connection::localFile << QString() << QStringLiteral("فايل اكسس يافت نشد");
        QTest::newRow("no server")
            << connection::sqlServerLogin << QStringLiteral("127.0.0.1")
            << QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");
    }
    void connectingFailures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, server);
        QFETCH(QString, message);
        TestEnv env;
        if (!kind.isEmpty()) {
            // A folder that cannot be made: a plain file stands in its place.
            QFile plain(env.folder() + QStringLiteral("/plain"));
            QVERIFY(plain.open(QIODevice::WriteOnly));
            connection::writeSettings(stored(kind, QString(server).replace(QStringLiteral("<file>"), plain.fileName())));
        }
        QVERIFY(!ConnectDatabase(DatabaseChoice::Local));
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        QCOMPARE(env.dialogs.shown.first().icon, ui::Icon::Warning);
        QCOMPARE(env.dialogs.shown.last().text, QStringLiteral("Tserver")); // shown modally
        QVERIFY(forms::server->isVisible());
        // Once settings are stored the connection is closed before it is tried again.
        QCOMPARE(forms::dm->ADOConnection1.connected(), kind.isEmpty());
    }

};

QTEST_MAIN(TestServer)
#include "tst_server.moc"
