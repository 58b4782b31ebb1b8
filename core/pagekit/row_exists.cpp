#include "pagekit/row_exists.h"
#include "dm_u.h"
#include "forms.h"

namespace pagekit {

bool rowExists(const QString &table, const ColumnValues &values)
{
    Q_ASSERT(!values.isEmpty());
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(QStringLiteral("select id from ") + forms::dm->ADOConnection1.dialect().lockedTable(table));
    QString keyword = QStringLiteral(" where ");
    for (const auto &[column, value] : values) {
        query.add(keyword + column + QStringLiteral("=?"), value);
        keyword = QStringLiteral(" and ");
    }
    query.open();
    return !query.isEmpty();
}

} // namespace pagekit
