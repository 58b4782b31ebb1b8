// The application as the program sets it up: the Qt dialog service's boxes right to left with Qt's Persian
// buttons and the answer of the button pressed or of closing the box, and combo boxes that keep their pages
// within the screen.
#include "app.h"
#include "forms.h"
#include "support/testenv.h"
#include "tavrelkol_src_u.h"
#include "ui/dialogs.h"
#include "ui_tavrelkol_src_u.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

using ui::Answer;
using ui::Buttons;
using ui::Icon;

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

    void askAnswersTheButtonPressed()
    {
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        QStringList labels;
        whenModalShown([&](QWidget *window) {
            auto *box = qobject_cast<QMessageBox *>(window);
            if (!box)
                return window->close();
            text = box->text();
            icon = box->icon();
            direction = box->layoutDirection();
            // The labels carry no access-key "&", not even after Qt retranslates its widgets.
            QEvent change(QEvent::LanguageChange);
            for (QWidget *widget : box->findChildren<QWidget *>())
                QCoreApplication::sendEvent(widget, &change);
            for (QAbstractButton *button : box->buttons())
                labels << button->text();
            for (QAbstractButton *button : box->buttons())
                if (QString(button->text()).remove(u'&') == QStringLiteral("بله"))
                    button->click();
            return true;
        });
        const Answer answer = ui::dialogs().ask(QStringLiteral("اين مورد قبلا ثبت شده است"), QString(),
                                                Buttons::YesNoCancel, Icon::Warning);
        QCOMPARE(answer, Answer::Yes);
        QCOMPARE(text, QStringLiteral("اين مورد قبلا ثبت شده است"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(direction, Qt::RightToLeft);
        // Qt's own Persian texts.
        labels.sort();
        QCOMPARE(labels, (QStringList{QStringLiteral("انصراف"), QStringLiteral("بله"), QStringLiteral("نه")}));
    }

    // Closing the box answers Cancel, No or Yes, whichever the box offers.
    void closingTheBox()
    {
        const QList<std::pair<Buttons, Answer>> cases{
            {Buttons::YesNoCancel, Answer::Cancel}, {Buttons::YesNo, Answer::No}, {Buttons::Yes, Answer::Yes}};
        for (const auto &[buttons, expected] : cases) {
            whenModalShown([](QWidget *window) { QTest::keyClick(window, Qt::Key_Escape); });
            QCOMPARE(ui::dialogs().ask(QStringLiteral("?"), QString(), buttons, Icon::Warning), expected);
        }
    }

    // A file dialog opens in the user's home folder, never the program's working folder; the next one opens
    // where the user went. A proposed name is proposed there.
    void fileDialogsStartAtHomeThenWhereTheUserWent()
    {
        QTemporaryDir elsewhere;
        QStringList starts;
        const auto choose = [&](const QString &name) {
            whenModalShown([&starts, file = elsewhere.filePath(name)](QWidget *window) {
                auto *dialog = qobject_cast<QFileDialog *>(window);
                if (!dialog)
                    return window->close();
                starts << dialog->directory().absolutePath() + u'|' + dialog->selectedFiles().value(0);
                dialog->selectFile(file);
                static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its own
                return true;
            });
        };
        choose(QStringLiteral("a.xls"));
        QCOMPARE(ui::dialogs().saveFile(QString(), QString(), QStringLiteral("report.xls")),
                 elsewhere.filePath(QStringLiteral("a.xls")));
        choose(QStringLiteral("b.xls"));
        ui::dialogs().saveFile(QString(), QString(), QStringLiteral("Report.xlsx"));
        const QString home = QDir::homePath();
        QCOMPARE(starts, (QStringList{home + u'|' + home + QStringLiteral("/report.xls"),
                                      elsewhere.path() + u'|' + elsewhere.filePath(QStringLiteral("Report.xlsx"))}));
    }

    // One long stored subject in the purchases page's subject filter leaves the page narrower than the screen;
    // the open list still shows the whole subject.
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
        mozo->hidePopup();
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
