#include "pagekit/commands.h"
#include "pagekit/page.h"
#include "ui/escape_key.h"
#include "ui/guard.h"
#include <QShowEvent>

namespace pagekit {

Page::Page(QWidget *parent) : QDialog(parent)
{
    setLayoutDirection(Qt::RightToLeft);
    ui::keepOpenOnEscape(this);
}

Commands &Page::declareCommands(db::Query &list)
{
    Q_ASSERT(!commands_);
    commands_ = new Commands(this, list);
    return *commands_;
}

void Page::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A command showing the form prepares it; the desktop re-exposing a shown form does not.
    if (!event->spontaneous())
        ui::guarded([this] { FormShow(); });
}

} // namespace pagekit
