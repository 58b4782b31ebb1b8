#include "pagekit/opener.h"
#include "forms.h"
#include "main_u.h"
#include "ui/control_text.h"
#include <QAction>

namespace pagekit {

bool openPage(QWidget *page, const Opener &opener)
{
    if (!opener.key.isEmpty() && !rights::CheckPageRights(opener.key, [&](const rights::Granted &granted) {
            if (opener.commands)
                opener.commands->apply(granted);
        }))
        return false;
    for (QWidget *control : opener.cleared)
        ui::setControlText(control, QString());
    for (const auto &[control, text] : opener.texts)
        ui::setControlText(control, text);
    if (opener.prepare)
        opener.prepare();
    if (forms::main_)
        forms::main_->sizePage(page, opener.widthLess, opener.heightLess);
    if (opener.search)
        opener.search();
    if (opener.afterSearch)
        opener.afterSearch();
    Tmain::showPage(page);
    return true;
}

void installOpener(QAction *item, QWidget *page, Opener opener)
{
    if (!forms::main_)
        return;
    forms::main_->setOpener(item, [page, opener = std::move(opener)] { openPage(page, opener); });
}

} // namespace pagekit
