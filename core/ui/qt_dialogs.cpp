#include "ui/qt_dialogs.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/left_to_right_column.h"
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QHeaderView>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace ui {

namespace {

// Boxes belong to the window the user works in, so they open over it and block it.
QWidget *ownerWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString captionOr(const QString &caption)
{
    return caption.isEmpty() ? QGuiApplication::applicationDisplayName() : caption;
}

// The buttons a box may carry: Qt's own source text of each, which its Persian catalogue translates, and
// the role that places it in the box.
struct BoxButton {
    Answer answer;
    const char *text;
    QMessageBox::ButtonRole role;
};
constexpr BoxButton boxButtons[] = {
    {Answer::Yes, QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"), QMessageBox::YesRole},
    {Answer::No, QT_TRANSLATE_NOOP("QPlatformTheme", "&No"), QMessageBox::NoRole},
    {Answer::Ok, QT_TRANSLATE_NOOP("QPlatformTheme", "OK"), QMessageBox::AcceptRole},
    {Answer::Cancel, QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"), QMessageBox::RejectRole},
};

QList<Answer> answersOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return {Answer::Ok};
    case Buttons::Yes: return {Answer::Yes};
    case Buttons::YesNo: return {Answer::Yes, Answer::No};
    case Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::OkCancel: return {Answer::Ok, Answer::Cancel};
    }
    return {Answer::Ok};
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Runs a box right to left; the first button is the default one, and closing the box presses Cancel, else
// No, else the only button. The buttons carry Qt's Persian texts without the access-key "&": the underlined
// letter was drawn apart from the rest of its word ("ب" cut from "له" in "بله"). They are the box's own
// buttons, not standard ones, so a language change cannot give the "&" back.
Answer runBox(QMessageBox::Icon icon, const QString &caption, const QString &text, Buttons buttons)
{
    QMessageBox box(icon, captionOr(caption), text, QMessageBox::NoButton, ownerWindow());
    box.setLayoutDirection(Qt::RightToLeft);
    const QList<Answer> answers = answersOf(buttons);
    const Answer escape = answers.contains(Answer::Cancel) ? Answer::Cancel
                          : answers.contains(Answer::No)   ? Answer::No
                                                           : answers.first();
    QHash<QAbstractButton *, Answer> answerOfButton;
    for (const BoxButton &kind : boxButtons) {
        if (!answers.contains(kind.answer))
            continue;
        QString label = QCoreApplication::translate("QPlatformTheme", kind.text);
        QPushButton *button = box.addButton(label.remove(u'&'), kind.role);
        answerOfButton.insert(button, kind.answer);
        if (kind.answer == answers.first())
            box.setDefaultButton(button);
        if (kind.answer == escape)
            box.setEscapeButton(button);
    }
    box.exec();
    return answerOfButton.value(box.clickedButton(), Answer::Cancel);
}

// The folder a file dialog opens in: the one chosen last in this run, or the user's home (never the folder
// the program was started from).
QString &lastFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    return lastFolder().isEmpty() ? QDir::homePath() : lastFolder();
}

// Qt's own file dialog (where the desktop offers none) in a right-to-left program: its list's sizes and times
// read left to right ("2.64 KiB", not "KiB 2.64"), as wide as they are.
void keepLatinColumnsReadable(QFileDialog &dialog)
{
    auto *list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!list)
        return;
    // Room for the name, type, size and time without scrolling sideways, on a screen of 1366 by 768.
    dialog.resize(dialog.size().expandedTo(QSize(900, 520)));
    for (const int column : {1, 3}) { // size, time of the last change
        drawLeftToRight(list, column);
        list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

// A widget's own texts drawn left to right: Qt paints a widget in the program's direction, not the widget's.
class LeftToRightTexts : public QProxyStyle {
public:
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole role) const override
    {
        QProxyStyle::drawItemText(painter, rect, flags | Qt::TextForceLeftToRight, palette, enabled, text, role);
    }
};

// The folder box and its list of folders show paths left to right ("/home/x", not "home/x/"); the rest of the
// dialog stays right to left. (The name box sets a typed path in the direction of its first letter, as every
// line edit does: a path from the root reads left to right there already.)
void showPathsLeftToRight(QFileDialog &dialog)
{
    auto *folders = dialog.findChild<QComboBox *>(QStringLiteral("lookInCombo"));
    if (!folders)
        return;
    folders->setLayoutDirection(Qt::LeftToRight);
    auto *style = new LeftToRightTexts;
    style->setParent(folders);
    folders->setStyle(style);
    drawLeftToRight(folders->view(), 0); // its list, a window of its own, is painted as the program is
}

// Runs a file dialog; the file or folder chosen (remembered as the next start), or empty text when cancelled.
// A suggested name without a folder is proposed in the start folder.
QString runFileDialog(QFileDialog::AcceptMode mode, QFileDialog::FileMode kind, const QString &title,
                      const QString &filter, const QString &start)
{
    const QFileInfo suggested(start);
    const QString folder = start.isEmpty() || !suggested.isAbsolute() ? startFolder()
                           : kind == QFileDialog::Directory        ? start
                                                                   : suggested.absolutePath();
    QFileDialog dialog(ownerWindow(), title, folder, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(kind);
    if (kind == QFileDialog::Directory)
        dialog.setOption(QFileDialog::ShowDirsOnly);
    else if (!start.isEmpty())
        dialog.selectFile(suggested.fileName());
    keepLatinColumnsReadable(dialog);
    showPathsLeftToRight(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    lastFolder() = kind == QFileDialog::Directory ? chosen : QFileInfo(chosen).absolutePath();
    return chosen;
}

// Hides of a form that is not a dialog end the local loop that showModal waits in.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget *form, QEventLoop *loop) : QObject(form), loop_(loop) { form->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched == parent())
            loop_->quit();
        return false;
    }

private:
    QEventLoop *loop_;
};

class QtDialogs : public Dialogs {
public:
    void message(const QString &text) override
    {
        runBox(QMessageBox::NoIcon, QString(), text, Buttons::Ok);
    }

    Answer ask(const QString &text, const QString &caption, Buttons buttons, Icon icon) override
    {
        return runBox(boxIcon(icon), caption, text, buttons);
    }

    std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override
    {
        QInputDialog dialog(ownerWindow());
        dialog.setLayoutDirection(Qt::RightToLeft);
        dialog.setWindowTitle(captionOr(caption));
        dialog.setLabelText(prompt);
        dialog.setTextValue(defaultText);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

    QString openFile(const QString &title, const QString &filter) override
    {
        return runFileDialog(QFileDialog::AcceptOpen, QFileDialog::ExistingFile, title, filter, QString());
    }

    QString saveFile(const QString &title, const QString &filter, const QString &suggestedName) override
    {
        return runFileDialog(QFileDialog::AcceptSave, QFileDialog::AnyFile, title, filter, suggestedName);
    }

    QString pickFolder(const QString &title, const QString &start) override
    {
        return runFileDialog(QFileDialog::AcceptOpen, QFileDialog::Directory, title, QString(), start);
    }

    int showModal(QWidget *form) override
    {
        if (!form)
            return 0;
        if (auto *dialog = qobject_cast<QDialog *>(form))
            return dialog->exec();

        // A main window or plain widget: application-modal until it is hidden (or deleted).
        QPointer<QWidget> guard(form);
        const Qt::WindowModality before = form->windowModality();
        if (form->isVisible())
            form->hide(); // modality takes effect only when the window is shown
        form->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        auto *watcher = new HideWatcher(form, &loop);
        QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
        form->show();
        if (form->isVisible())
            loop.exec();
        if (guard) {
            delete watcher;
            form->setWindowModality(before);
        }
        return 0;
    }

    void errorReport(const QString &text) override
    {
        runBox(QMessageBox::Critical, QString(), text, Buttons::Ok);
    }

    // Qt's preview of a printer at its high resolution; where no printer is installed the printer writes a
    // PDF file, and printing from the preview asks where to save it.
    void printPreview(const QString &caption, const QPageLayout &page,
                      const std::function<void(QPagedPaintDevice &)> &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(page);
        printer.setFullPage(true);
        QPrintPreviewDialog dialog(&printer, ownerWindow());
        dialog.setWindowTitle(captionOr(caption));
        connectGuarded(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                       [&paint](QPrinter *device) { paint(*device); });
        // The page as large as the screen allows, with or without a window manager to maximise it.
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            dialog.resize(screen->availableGeometry().size() * 0.9);
        dialog.setWindowState(Qt::WindowMaximized);
        dialog.exec();
    }
};

} // namespace

void installQtDialogs()
{
    setDialogs(std::make_unique<QtDialogs>());
}

} // namespace ui
