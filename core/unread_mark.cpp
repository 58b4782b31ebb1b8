#include "unread_mark.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/setting_rows.h"

namespace messages {

void RefreshUnreadMark(UnreadMark how)
{
    db::Query &unread = *forms::dm->ADOQ_timer;
    unread.clear();
    unread.add(QStringLiteral("select count(*) as c from payamha where rec_prs_id=? and show_dat=?"),
               setting_rows::currentUserId(), QStringLiteral(""));
    unread.open();
    const bool any = unread.fieldByName(QStringLiteral("c")).asInteger() != 0;
    if (!forms::main_ || (!any && how == UnreadMark::SetOnly))
        return;
    forms::main_->setUnreadMark(any);
}

} // namespace messages
