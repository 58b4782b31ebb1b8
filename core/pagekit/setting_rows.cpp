#include "pagekit/setting_rows.h"
#include "db/query.h"
#include "signed_in_user.h"

namespace setting_rows {

QVariant currentUserId()
{
    const QString id = SignedInUser::instance().prsId();
    bool isNumber = false;
    const qlonglong number = id.toLongLong(&isNumber);
    return isNumber ? QVariant(number) : QVariant(id);
}

void openTitle(db::Query &query, const QString &title, picklist::Rows rows)
{
    query.clear();
    query.add(QStringLiteral("select * from setting where component=?"), title);
    if (rows == picklist::Rows::Own)
        query.add(QStringLiteral(" and user_id=?"), currentUserId());
    query.open();
}

} // namespace setting_rows
