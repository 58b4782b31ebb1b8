#include "pagekit/data_feedback.h"
#include "db/feedback.h"
#include "ui/dialogs.h"
#include <QCursor>
#include <QGuiApplication>

namespace pagekit {

void installDataFeedback()
{
    db::feedback::Hooks hooks;
    hooks.wait = [](bool waiting) {
        if (waiting)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    };
    hooks.failed = [](const db::Error &error) { ui::dialogs().errorReport(error.text()); };
    db::feedback::install(std::move(hooks));
}

} // namespace pagekit
