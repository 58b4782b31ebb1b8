#include "pagekit/row_exists.h"
#include "dm_u.h"
#include "forms.h"

namespace pagekit {

bool rowExists(const QString &table, const QList<Match> &matches, const QVariant &exceptId)
{
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(QStringLiteral("select id from ") + query.connection().dialect().lockedTable(table)
              + QStringLiteral(" where id<>-1"));
    for (const Match &match : matches)
        query.add(QStringLiteral(" and ") + match.column + QStringLiteral("=?"), match.value);
    if (exceptId.isValid())
        query.add(QStringLiteral(" and id<>?"), exceptId);
    query.open();
    return !query.isEmpty();
}

} // namespace pagekit
