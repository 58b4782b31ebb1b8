// The desktop layer: the settings store, host names, files written out and opened, the Persian keyboard layout.
#include "db/error.h"
#include "platform/files.h"
#include "platform/keyboard_layouts.h"
#include "platform/platform.h"
#include "support/attachment_files.h"
#include "support/user_store.h"
#include "ui/scripted_dialogs.h"
#include <QtTest>

using namespace Qt::StringLiterals;

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }

    // Writing a setting under another spelling replaces the value, as the registry's names did.
    void settingWrittenUnderAnotherSpellingReplacesIt()
    {
        auto store = platform::settings();
        store->setValue(u"TavrelDataBase"_s, u"old"_s);
        platform::setSettingText(*store, u"tavrelDataBase"_s, u"tavrel"_s);
        QCOMPARE(platform::settingText(*store, u"TAVRELDATABASE"_s), u"tavrel"_s);
        QCOMPARE(store->childKeys().filter(u"database"_s, Qt::CaseInsensitive).size(), 1);
        QCOMPARE(platform::settingText(*store, u"tavrelPassword"_s), QString());
    }

    // No search for a name; a reverse look-up without a name gives the empty text, never the address back.
    void hostNameOfAnythingButAnIpv4AddressIsEmpty()
    {
        for (const QString &address : {QString(), u"localhost"_s, u"300.1.1.1"_s, u"::1"_s})
            QCOMPARE(platform::hostNameOf(address), QString());
        const QString loopback = platform::hostNameOf(u"127.0.0.1"_s);
        QVERIFY2(loopback != u"127.0.0.1"_s, qPrintable(loopback));
    }

    void filesWrittenWholeAndOpened()
    {
        // Names that can't leave their folder or disguise their type; a Persian non-joiner stays.
        const QList<std::pair<QString, QString>> names{{u"a/b"_s, u"a_b"_s},
                                                       {u" ..\\.ش:ب\n.pdf"_s, u"_.ش_ب_.pdf"_s},
                                                       {u".."_s, QString()},
                                                       {u"\u202Egpj.\u2066exe\u200F"_s, u"gpj.exe"_s},
                                                       {u"نامه\u200Cها.pdf"_s, u"نامه\u200Cها.pdf"_s}};
        for (const auto &[stored, cleaned] : names)
            QCOMPARE(platform::cleanFileName(stored), cleaned);
        const QString longName = platform::cleanFileName(QString(150, u'ش') + u".jpg"_s);
        QVERIFY(longName.endsWith(u"ش.jpg"_s) && QFile::encodeName(longName).size() <= 255);

        const QString folder = platform::privateTempFolder();
        QCOMPARE(QFile::permissions(folder) & 0x0077, QFile::Permissions());
        const QString first = platform::writeTempFile(u"../x.jpg"_s, "one");
        const QString second = platform::writeTempFile(u"../x.jpg"_s, "two");
        const QString marked = platform::writeTempFile(u"\u202Egpj.exe"_s, "x");
        QCOMPARE(QFileInfo(first).absolutePath(), QFileInfo(folder).absoluteFilePath());
        QCOMPARE((QStringList{QFileInfo(first).fileName(), QFileInfo(second).fileName(), QFileInfo(marked).fileName()}),
                 (QStringList{u"_x.jpg"_s, u"_x-2.jpg"_s, u"gpj.exe"_s}));

        QFile::setPermissions(first, QFile::permissions(first) | QFile::ExeOwner | QFile::ExeOther);
        platform::writeFileAtomically(first, "replaced");
        QCOMPARE(readFile(first), QByteArray("replaced"));
        QCOMPARE(QFile::permissions(first) & (QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther),
                 QFile::Permissions());
        QVERIFY_THROWS_EXCEPTION(db::Error, platform::writeFileAtomically(folder + u"/no/such"_s, "x"));

        ui::ScriptedDialogs &dialogs = ui::ScriptedDialogs::install();
        QStringList opened;
        platform::setFileOpener([&](const QString &path) {
            opened << path;
            return path == first;
        });
        platform::openOrTell(first);
        platform::openOrTell(second);
        platform::setFileOpener(nullptr);
        QCOMPARE(opened, (QStringList{first, second}));
        QVERIFY(dialogs.messages().size() == 1 && dialogs.messages().first().endsWith(second));
    }

    // The arguments that put the Persian layout first, its variant with it.
    void persianLayout()
    {
        const auto args = [](const QString &layouts, const QString &variants) {
            return QStringList{u"-layout"_s, layouts, u"-variant"_s, variants};
        };
        const QList<std::pair<QString, QStringList>> cases{
            {u"rules:      evdev\nmodel:      pc105\nlayout:     us,ir\nvariant:    ,\n"
             "options:    grp:alt_shift_toggle\n"_s, args(u"ir,us"_s, u","_s)},
            {u"layout:     us,de,ir\nvariant:    intl,,pes_keypad\n"_s, args(u"ir,us,de"_s, u"pes_keypad,intl,"_s)},
            {u"layout:     us,ir\n"_s, args(u"ir,us"_s, u","_s)}, // no variant line
            {u"layout:     us,ara\nvariant:    ,\n"_s, QStringList()}, // no Persian layout
        };
        for (const auto &[query, arguments] : cases)
            QCOMPARE(platform::persianLayoutArguments(query), arguments);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
