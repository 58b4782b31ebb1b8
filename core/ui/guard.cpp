#include "ui/guard.h"
#include "db/error.h"
#include "ui/dialogs.h"
#include "ui/refusal.h"

namespace ui {

bool guarded(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const Refusal &refusal) {
        showMessage(refusal.text());
        if (QWidget *field = refusal.field())
            field->setFocus(Qt::OtherFocusReason);
    } catch (const db::Error &error) {
        dialogs().errorReport(error.text());
    } catch (const std::exception &error) {
        dialogs().errorReport(QString::fromUtf8(error.what()));
    }
    return false;
}

} // namespace ui
