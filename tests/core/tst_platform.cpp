// The desktop layer: Qt's boxes, file dialogs and combo boxes as the program sets them up; files written out and
// opened, the Persian keyboard layout.
#include "app.h"
#include "db/error.h"
#include "platform/files.h"
#include "platform/keyboard_layouts.h"
#include "platform/platform.h"
#include "support/attachment_files.h"
#include "support/drawn_text.h"
#include "support/testenv.h"
#include "tavrelkol_src_u.h"
#include "ui/dialogs.h"
#include "ui/scripted_dialogs.h"
#include "ui_tavrelkol_src_u.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using ui::Answer;
using ui::Buttons;

namespace {

// Acts on the modal window the next call shows: the call does not return until it closes, and the timer fires in
// that window's own event loop.
void whenModalShown(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Qt's own dialogs first: the tests after them install the scripted ones.
    void initTestCase()
    {
        user_store::isolate();
        app::initialise(*qApp);
    }

    // Qt's Persian labels without "&" even retranslated; closing answers Cancel, No or Yes.
    void askAnswersTheButtonPressedOrTheClose()
    {
        QStringList seen;
        whenModalShown([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            QEvent change(QEvent::LanguageChange);
            for (QWidget *widget : box->findChildren<QWidget *>())
                QCoreApplication::sendEvent(widget, &change);
            QStringList labels;
            for (QAbstractButton *button : box->buttons())
                labels << button->text();
            labels.sort();
            seen << box->text() << QString::number(box->icon()) << labels.join(u',');
            for (QAbstractButton *button : box->buttons())
                if (QString(button->text()).remove(u'&') == u"بله"_s) // a wrong label fails the check below, not hangs
                    button->click();
        });
        QCOMPARE(ui::dialogs().ask(u"اين مورد قبلا ثبت شده است"_s, QString(), Buttons::YesNoCancel, ui::Icon::Warning),
                 Answer::Yes);
        QCOMPARE(seen, (QStringList{u"اين مورد قبلا ثبت شده است"_s, QString::number(QMessageBox::Warning),
                                    u"انصراف,بله,نه"_s}));

        const QList<std::pair<Buttons, Answer>> closed{
            {Buttons::YesNoCancel, Answer::Cancel}, {Buttons::YesNo, Answer::No}, {Buttons::Yes, Answer::Yes}};
        for (const auto &[buttons, expected] : closed) {
            whenModalShown([](QWidget *window) { QTest::keyClick(window, Qt::Key_Escape); });
            QCOMPARE(ui::dialogs().ask(u"?"_s, QString(), buttons, ui::Icon::Warning), expected);
        }
    }

    // A file dialog opens at home with its proposed name, the next where the user went. Its folder box and
    // list of folders show the path left to right.
    void fileDialogsStartAtHomeThenWhereTheUserWent()
    {
        QTemporaryDir elsewhere;
        QStringList starts, paths;
        const auto choose = [&](const QString &name) {
            whenModalShown([&, file = elsewhere.filePath(name)](QWidget *window) {
                auto *dialog = qobject_cast<QFileDialog *>(window);
                const QString folder = dialog->directory().absolutePath();
                starts << folder + u'|' + dialog->selectedFiles().value(0);
                auto *folders = dialog->findChild<QComboBox *>(u"lookInCombo"_s);
                paths << drawnLeftToRight(folders, QDir(folder).dirName());
                folders->showPopup();
                paths << drawnLeftToRight(folders->view()->viewport(), QDir(folder).dirName());
                folders->hidePopup();
                dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(file); // the name box has the focus back
                static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its own
            });
        };
        choose(u"a.xls"_s);
        QCOMPARE(ui::dialogs().saveFile(QString(), QString(), u"report.xls"_s), elsewhere.filePath(u"a.xls"_s));
        choose(u"b.xls"_s);
        ui::dialogs().saveFile(QString(), QString(), u"Report.xlsx"_s);
        const QString home = QDir::homePath();
        QCOMPARE(starts, (QStringList{home + u'|' + home + u"/report.xls"_s,
                                      elsewhere.path() + u'|' + elsewhere.filePath(u"Report.xlsx"_s)}));
        QCOMPARE(paths, (QStringList{home, home, elsewhere.path(), elsewhere.path()}));
    }

    // A long subject in a filter leaves the page on the screen; the open list shows it whole.
    void longComboItemsKeepThePageOnTheScreen()
    {
        TestEnv env; // the page searches when shown
        Ttavrelkol_src &page = *forms::tavrelkol_src;
        const QString subject = QString(150, u'ش');
        QComboBox *mozo = page.ui->mozo;
        mozo->addItem(subject);
        page.show();
        QVERIFY2(page.sizeHint().width() < 1366, qPrintable(QString::number(page.sizeHint().width())));
        QVERIFY(mozo->width() < mozo->fontMetrics().horizontalAdvance(subject));
        mozo->showPopup();
        const QWidget *list = mozo->view()->window();
        QVERIFY2(list->width() > 2 * mozo->width(), qPrintable(QString::number(list->width())));
        QVERIFY(list->screen()->availableGeometry().contains(list->geometry()));
    }

    // Names that can't leave their folder, disguise their type or outgrow one (a Persian non-joiner stays); private
    // temporary files numbered apart; a file replaced whole, never runnable; opened, or its place told.
    void filesWrittenWholeAndOpened()
    {
        const QList<std::pair<QString, QString>> names{
            {u"a/b"_s, u"a_b"_s}, {u" ..\\.ش:ب\n.pdf"_s, u"_.ش_ب_.pdf"_s}, {u".."_s, QString()},
            {u"\u202Egpj.\u2066exe\u200F"_s, u"gpj.exe"_s}, {u"نامه\u200Cها.pdf"_s, u"نامه\u200Cها.pdf"_s},
            {QString(150, u'ش') + u".jpg"_s, QString(98, u'ش') + u".jpg"_s}};
        for (const auto &[stored, cleaned] : names)
            QCOMPARE(platform::cleanFileName(stored), cleaned);

        const QString folder = platform::privateTempFolder();
        const QString first = platform::writeTempFile(u"../x.jpg"_s, "one");
        const QString second = platform::writeTempFile(u"../x.jpg"_s, "two");
        QCOMPARE((QStringList{first, second, platform::writeTempFile(u"\u202Egpj.exe"_s, "x")}),
                 (QStringList{folder + u"/_x.jpg"_s, folder + u"/_x-2.jpg"_s, folder + u"/gpj.exe"_s}));

        QFile::setPermissions(first, QFile::permissions(first) | QFile::ExeOwner | QFile::ExeOther);
        platform::writeFileAtomically(first, "replaced");
        QCOMPARE(readFile(first), QByteArray("replaced"));
        QCOMPARE(QFile::permissions(first) & (QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther),
                 QFile::Permissions());
        QVERIFY_THROWS_EXCEPTION(db::Error, platform::writeFileAtomically(folder + u"/no/such"_s, "x"));

        ui::ScriptedDialogs &dialogs = ui::ScriptedDialogs::install();
        platform::setFileOpener([&](const QString &path) { return path == first; }); // no program for the second
        platform::openOrTell(first);
        platform::openOrTell(second);
        platform::setFileOpener(nullptr);
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
