#pragma once
// Every message box, input box, file and folder dialog and modal showing of a form goes through this one
// service. The program installs the Qt implementation; tests install a scripted one.
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPageLayout;
class QPagedPaintDevice;
class QWidget;

namespace ui {

enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { Ok, Yes, YesNo, YesNoCancel, OkCancel };
enum class Icon { None, Information, Warning, Error, Question };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain box with an OK button (the system's ShowMessage).
    virtual void message(const QString &text) = 0;
    // A box with a caption, an icon and buttons; returns the button pressed (closing the box: Cancel,
    // or No when there is no Cancel, or Ok/Yes when that is the only button).
    virtual Answer ask(const QString &text, const QString &caption, Buttons buttons, Icon icon) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &caption, const QString &prompt,
                                         const QString &defaultText) = 0;
    // File dialogs; an empty text when cancelled. A filter is written the Qt way: "Pictures (*.jpg *.png)",
    // several separated by ";;".
    virtual QString openFile(const QString &title, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &filter, const QString &suggestedName) = 0;
    virtual QString pickFolder(const QString &title, const QString &start) = 0;
    // Shows a form modally; the scripted service returns at once (the form stays shown for the test).
    virtual int showModal(QWidget *form) = 0;
    // The general error report of an uncaught error.
    virtual void errorReport(const QString &text) = 0;
    // The print preview of a printout on this page: paint draws every page onto the device it is given
    // (set to that page), the user pages, zooms and prints from it. Returns when it is closed.
    virtual void printPreview(const QString &caption, const QPageLayout &page,
                              const std::function<void(QPagedPaintDevice &)> &paint) = 0;
};

// The installed service; before any is installed, the Qt one.
Dialogs &dialogs();
void setDialogs(std::unique_ptr<Dialogs> service);  // takes ownership; the previous one is deleted

// Shorthands used by the pages.
inline void showMessage(const QString &text) { dialogs().message(text); }
// The warning box with Yes, No and Cancel of duplicate warnings and delete confirmations: true on Yes only.
bool confirmWarning(const QString &text, const QString &caption = QString());
// The warning box with the single button Yes.
void warningYes(const QString &text, const QString &caption = QString());

} // namespace ui
