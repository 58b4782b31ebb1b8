#include "pagekit/row_user.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/rows.h"
#include "persian/persian_text.h"
#include "ui/balloon.h"
#include <QTableView>

using namespace Qt::StringLiterals;

namespace pagekit {

QString userIdOf(const QString &name)
{
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(u"select * from users where us=?"_s, text::storedText(name));
    query.open();
    return query.isEmpty() ? QString() : query.fieldByName(u"id"_s).asString();
}

void showRowUserBalloon(QTableView *grid, db::Query &list)
{
    if (!hasCurrentRow(list))
        return;
    // A query of its own: the users query is the users page's list, which this look-up must not replace.
    db::Query users(forms::dm->ADOConnection1, u"balloon"_s);
    users.add(u"select us from users where id=?"_s, list.fieldByName(u"user_id"_s).asString());
    users.open();
    const QString name = users.isEmpty() ? QString() : users.fieldByName(u"us"_s).asString();
    ui::ShowBalloonTip(grid, 1, name, u"User"_s);
}

} // namespace pagekit
