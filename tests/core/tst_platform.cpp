// The desktop layer: the settings store in place of the registry, host names for the audit rows, the
// Persian keyboard layout, and files written out and opened.
#include "db/error.h"
#include "platform/files.h"
#include "platform/keyboard_layouts.h"
#include "platform/platform.h"
#include "support/user_store.h"
#include "ui/scripted_dialogs.h"
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Settings go under a home of this test's own, never into the user's files.
        user_store::isolate();
    }

    // Writing a setting under another spelling replaces the value, as the registry's names did. (Read back by
    // a new store in any letter case: the connection-settings test's stored password.)
    void settingWrittenUnderAnotherSpellingReplacesIt()
    {
        auto store = platform::settings();
        store->setValue(QStringLiteral("TavrelDataBase"), QStringLiteral("old"));
        platform::setSettingText(*store, QStringLiteral("tavrelDataBase"), QStringLiteral("tavrel"));
        QCOMPARE(platform::settingText(*store, QStringLiteral("TAVRELDATABASE")), QStringLiteral("tavrel"));
        QCOMPARE(store->childKeys().filter(QStringLiteral("database"), Qt::CaseInsensitive).size(), 1);
        QCOMPARE(platform::settingText(*store, QStringLiteral("tavrelPassword")), QString());
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

    void filesWrittenWholeAndOpened()
    {
        // Stored descriptions as names that cannot leave their folder; one too long keeps its extension.
        QCOMPARE(platform::cleanFileName(QStringLiteral("a/b")), QStringLiteral("a_b"));
        QCOMPARE(platform::cleanFileName(QStringLiteral(" ..\\.ش:ب\n.pdf")), QStringLiteral("_.ش_ب_.pdf"));
        QCOMPARE(platform::cleanFileName(QStringLiteral("..")), QString());
        // Marks that would show "\u202Egpj.exe" as "exe.jpg" go; the non-joiner of a Persian word stays.
        QCOMPARE(platform::cleanFileName(QStringLiteral("\u202Egpj.\u2066exe\u200F")), QStringLiteral("gpj.exe"));
        QCOMPARE(platform::cleanFileName(QStringLiteral("نامه\u200Cها.pdf")), QStringLiteral("نامه\u200Cها.pdf"));
        const QString longName = platform::cleanFileName(QString(150, u'ش') + QStringLiteral(".jpg"));
        QVERIFY(longName.endsWith(QStringLiteral("ش.jpg")) && QFile::encodeName(longName).size() <= 255);

        // Temporary files stay in the private folder, each under a name of its own.
        const QString folder = platform::privateTempFolder();
        QCOMPARE(QFile::permissions(folder) & 0x0077, QFile::Permissions()); // nobody else's
        const QString first = platform::writeTempFile(QStringLiteral("../x.jpg"), "one");
        const QString second = platform::writeTempFile(QStringLiteral("../x.jpg"), "two");
        QCOMPARE(QFileInfo(first).absolutePath(), QFileInfo(folder).absoluteFilePath());
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("_x.jpg"));
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("_x-2.jpg"));
        const QString marked = platform::writeTempFile(QStringLiteral("\u202Egpj.exe"), "x");
        QCOMPARE(QFileInfo(marked).fileName(), QStringLiteral("gpj.exe"));

        // A file written over keeps its content whole and loses any right to run.
        QFile::setPermissions(first, QFile::permissions(first) | QFile::ExeOwner | QFile::ExeOther);
        platform::writeFileAtomically(first, "replaced");
        QFile read(first);
        QVERIFY(read.open(QIODevice::ReadOnly));
        QCOMPARE(read.readAll(), QByteArray("replaced"));
        QCOMPARE(QFile::permissions(first) & (QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther),
                 QFile::Permissions());
        QVERIFY_THROWS_EXCEPTION(db::Error, platform::writeFileAtomically(folder + QStringLiteral("/no/such"), "x"));

        // Opened with the desktop; when nothing opens it, the user is told where it is.
        ui::ScriptedDialogs &dialogs = ui::ScriptedDialogs::install();
        QStringList opened;
        bool opens = true;
        platform::setFileOpener([&](const QString &path) {
            opened << path;
            return opens;
        });
        platform::openOrTell(first);
        opens = false;
        platform::openOrTell(second);
        platform::setFileOpener(nullptr);
        QCOMPARE(opened, (QStringList{first, second}));
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages().first().endsWith(QDir::toNativeSeparators(second)));
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
