#include "ui/dialogs.h"
#include "ui/qt_dialogs.h"

namespace ui {

namespace {

std::unique_ptr<Dialogs> &installed()
{
    static std::unique_ptr<Dialogs> service;
    return service;
}

} // namespace

Dialogs &dialogs()
{
    if (!installed())
        installQtDialogs();
    return *installed();
}

void setDialogs(std::unique_ptr<Dialogs> service)
{
    installed() = std::move(service);
}

bool confirmWarning(const QString &text, const QString &caption)
{
    return dialogs().ask(text, caption, Buttons::YesNoCancel, Icon::Warning) == Answer::Yes;
}

void warningYes(const QString &text, const QString &caption)
{
    dialogs().ask(text, caption, Buttons::Yes, Icon::Warning);
}

} // namespace ui
