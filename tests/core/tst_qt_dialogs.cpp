// The application as the program sets it up: the Qt dialog service's boxes, file dialogs and combo boxes.
#include "app.h"
#include "forms.h"
#include "support/drawn_text.h"
#include "support/testenv.h"
#include "tavrelkol_src_u.h"
#include "ui/dialogs.h"
#include "ui_tavrelkol_src_u.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;
using ui::Answer;
using ui::Buttons;

namespace {

// Acts on the next modal window once it is shown: the call that shows it does not return until it closes.
void whenModalShown(std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            act(modal);
        }
    });
    poll->start();
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { app::initialise(*qApp); }

    // Right to left, Qt's Persian labels without "&" even retranslated; closing answers Cancel, No or Yes.
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
            seen << box->text() << QString::number(box->icon()) << QString::number(box->layoutDirection())
                 << labels.join(u',');
            for (QAbstractButton *button : box->buttons())
                if (QString(button->text()).remove(u'&') == u"بله"_s) // a wrong label fails the check below, not hangs
                    button->click();
        });
        QCOMPARE(ui::dialogs().ask(u"اين مورد قبلا ثبت شده است"_s, QString(), Buttons::YesNoCancel, ui::Icon::Warning),
                 Answer::Yes);
        QCOMPARE(seen, (QStringList{u"اين مورد قبلا ثبت شده است"_s, QString::number(QMessageBox::Warning),
                                    QString::number(Qt::RightToLeft), u"انصراف,بله,نه"_s}));

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
        page.ui->mozo->addItem(subject);
        page.ui->prj_name->addItem(QString(100, u'پ'));
        page.show();
        QVERIFY2(page.sizeHint().width() < 1366, qPrintable(QString::number(page.sizeHint().width())));
        QComboBox *mozo = page.ui->mozo;
        QVERIFY(mozo->width() < mozo->fontMetrics().horizontalAdvance(subject));
        mozo->showPopup();
        const QWidget *list = mozo->view()->window();
        QVERIFY2(list->width() > 2 * mozo->width(), qPrintable(QString::number(list->width())));
        QVERIFY(list->screen()->availableGeometry().contains(list->geometry()));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
