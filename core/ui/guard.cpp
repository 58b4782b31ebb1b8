#include "ui/guard.h"
#include "db/error.h"
#include "ui/dialogs.h"

namespace ui {

bool guarded(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const db::Error &error) {
        dialogs().errorReport(error.text());
    } catch (const std::exception &error) {
        dialogs().errorReport(QString::fromUtf8(error.what()));
    }
    return false;
}

} // namespace ui
