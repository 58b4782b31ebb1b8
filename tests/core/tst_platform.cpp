// The desktop layer: the settings store in place of the registry, host names for the audit rows, and the
// Persian keyboard layout.
#include "platform/keyboard_layouts.h"
#include "platform/platform.h"
#include "support/user_store.h"
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Settings go under a home of this test's own, never into the user's files.
        user_store::isolate();
    }

    void settingsRoundTripWhateverTheLetterCase()
    {
        {
            auto store = platform::settings();
            QVERIFY2(store->fileName().contains(QStringLiteral(".qttest")), qPrintable(store->fileName()));
            platform::setSettingText(*store, QStringLiteral("tavrelSqlServerName"), QStringLiteral("/خانه/tavrel.db"));
            store->setValue(QStringLiteral("TavrelDataBase"), QStringLiteral("old"));
            platform::setSettingText(*store, QStringLiteral("tavrelDataBase"), QStringLiteral("tavrel"));
        }
        auto store = platform::settings(); // a new store reads what the first one wrote
        QCOMPARE(platform::settingText(*store, QStringLiteral("TAVRELSQLSERVERNAME")), QStringLiteral("/خانه/tavrel.db"));
        QCOMPARE(platform::settingText(*store, QStringLiteral("tavrelPassword")), QString());
        // Writing under another spelling replaces the value, as the registry's names did.
        QCOMPARE(platform::settingText(*store, QStringLiteral("TAVRELDATABASE")), QStringLiteral("tavrel"));
        QCOMPARE(store->childKeys().filter(QStringLiteral("database"), Qt::CaseInsensitive).size(), 1);
    }

    void hostNameOfAnythingButAnIpv4AddressIsEmpty()
    {
        // None of these may start a search for a host of that name.
        for (const QString &address : {QString(), QStringLiteral("localhost"), QStringLiteral("300.1.1.1"),
                                       QStringLiteral("::1")})
            QCOMPARE(platform::hostNameOf(address), QString());
        // A reverse look-up that finds no name gives the empty text, never the address back (a machine
        // without /etc/hosts knows no name for 127.0.0.1).
        const QString loopback = platform::hostNameOf(QStringLiteral("127.0.0.1"));
        QVERIFY2(loopback != QStringLiteral("127.0.0.1"), qPrintable(loopback));
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
        QTest::newRow("no Persian layout") << QStringLiteral("layout:     us,ara\nvariant:    ,\n") << QStringList();
        QTest::newRow("no answer") << QString() << QStringList();
    }
    void persianLayout()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, arguments);
        QCOMPARE(platform::persianLayoutArguments(query), arguments);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
