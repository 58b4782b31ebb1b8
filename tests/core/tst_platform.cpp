// The desktop layer: the settings store in place of the registry, the workstation's address and names for
// the audit rows, the Persian keyboard layout, opening files and the program's data folder.
#include "platform/keyboard_layouts.h"
#include "platform/platform.h"
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Settings and data go under the test locations, never into the user's own files.
        QStandardPaths::setTestModeEnabled(true);
        platform::settings()->clear();
    }
    void cleanupTestCase() { platform::settings()->clear(); }

    void settingsRoundTrip()
    {
        {
            auto store = platform::settings();
            QVERIFY2(store->fileName().contains(QStringLiteral(".qttest")), qPrintable(store->fileName()));
            QVERIFY(store->fileName().endsWith(QStringLiteral("palomirendax.conf")));
            platform::setSettingText(*store, QStringLiteral("tavrelSqlServerName"), QStringLiteral("/خانه/tavrel.db"));
            platform::setSettingText(*store, QStringLiteral("tavrelAuthentication"), QStringLiteral("SQL Server"));
        }
        auto store = platform::settings(); // a new store reads what the first one wrote
        QCOMPARE(platform::settingText(*store, QStringLiteral("tavrelSqlServerName")), QStringLiteral("/خانه/tavrel.db"));
        // Names match whatever their letter case, as the registry's did.
        QCOMPARE(platform::settingText(*store, QStringLiteral("TavrelAuthentication")), QStringLiteral("SQL Server"));
        QCOMPARE(platform::settingText(*store, QStringLiteral("tavrelPassword")), QString());
    }

    void writingUnderAnotherSpellingReplacesTheValue()
    {
        auto store = platform::settings();
        store->setValue(QStringLiteral("TavrelDataBase"), QStringLiteral("old"));
        platform::setSettingText(*store, QStringLiteral("tavrelDataBase"), QStringLiteral("tavrel"));
        QCOMPARE(platform::settingText(*store, QStringLiteral("TAVRELDATABASE")), QStringLiteral("tavrel"));
        QCOMPARE(store->childKeys().filter(QStringLiteral("database"), Qt::CaseInsensitive).size(), 1);
    }

    void localIpIsAnIpv4AddressOrEmptyAndKept()
    {
        const QString first = platform::localIp();
        if (!first.isEmpty()) {
            const QHostAddress address(first);
            QCOMPARE(address.protocol(), QAbstractSocket::IPv4Protocol);
            QCOMPARE(address.toString(), first); // dotted text, as stamped in the audit rows
            QVERIFY(first.size() <= 20);         // fits log.ip
        }
        QCOMPARE(platform::localIp(), first);
    }

    void hostNameOfAnAddress()
    {
        QElapsedTimer clock;
        clock.start();
        const QString name = platform::hostNameOf(QStringLiteral("127.0.0.1"));
        QVERIFY2(clock.elapsed() < 2000, "the loopback address answers locally");
        QVERIFY(!name.isEmpty());
        QVERIFY(name != u"127.0.0.1"); // the address itself is not a name
        QCOMPARE(platform::hostNameOf(QStringLiteral("127.0.0.1")), name);
    }

    void hostNameOfAnythingButAnIpv4AddressIsEmpty()
    {
        // None of these may start a search for a host of that name.
        QCOMPARE(platform::hostNameOf(QString()), QString());
        QCOMPARE(platform::hostNameOf(QStringLiteral("localhost")), QString());
        QCOMPARE(platform::hostNameOf(QStringLiteral("300.1.1.1")), QString());
        QCOMPARE(platform::hostNameOf(QStringLiteral("::1")), QString());
    }

    void persianLayout_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("arguments");
        const auto args = [](const char *layouts, const char *variants) {
            return QStringList{QStringLiteral("-layout"), QString::fromLatin1(layouts), QStringLiteral("-variant"),
                               QString::fromLatin1(variants)};
        };
        QTest::newRow("second layout comes first")
            << QStringLiteral("rules:      evdev\nmodel:      pc105\nlayout:     us,ir\nvariant:    ,\n"
                              "options:    grp:alt_shift_toggle\n")
            << args("ir,us", ",");
        QTest::newRow("variants follow their layouts")
            << QStringLiteral("layout:     us,de,ir\nvariant:    intl,,pes_keypad\n") << args("ir,us,de", "pes_keypad,intl,");
        QTest::newRow("no variant line") << QStringLiteral("layout:     us,ir\n") << args("ir,us", ",");
        QTest::newRow("already first") << QStringLiteral("layout:     ir,us\n") << args("ir,us", ",");
        QTest::newRow("no Persian layout") << QStringLiteral("layout:     us,ara\nvariant:    ,\n") << QStringList();
        QTest::newRow("no answer") << QString() << QStringList();
    }
    void persianLayout()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, arguments);
        QCOMPARE(platform::persianLayoutArguments(query), arguments);
    }

    void openWithDesktopUsesTheReplacedOpener()
    {
        QStringList opened;
        bool answer = false;
        platform::setFileOpener([&](const QString &path) {
            opened.append(path);
            return answer;
        });
        QVERIFY(!platform::openWithDesktop(QStringLiteral("/tmp/a.xlsx")));
        answer = true;
        QVERIFY(platform::openWithDesktop(QStringLiteral("/tmp/راهنما.pdf")));
        QCOMPARE(opened, (QStringList{QStringLiteral("/tmp/a.xlsx"), QStringLiteral("/tmp/راهنما.pdf")}));
        platform::setFileOpener(nullptr);
    }

    void appDataFolderIsCreatedUnderTheProgramsName()
    {
        const QString folder = platform::appDataFolder();
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(folder.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
        QVERIFY2(folder.endsWith(QStringLiteral("/palomirendax/tavrel")), qPrintable(folder));
        QVERIFY(QDir().rmdir(folder));
        QCOMPARE(platform::appDataFolder(), folder);
        QVERIFY(QFileInfo(folder).isDir()); // made again when missing
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
