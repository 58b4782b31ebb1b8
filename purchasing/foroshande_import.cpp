#include "foroshande_import.h"
#include "db/connection.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/save.h"

namespace vendors {

QString importStatement(const db::Dialect &dialect)
{
    // The newest purchase of a shop is the one of the highest id. The check on the register reads it with
    // the dialect's locking hints, so two users importing at once do not both add the same shop.
    return QStringLiteral("insert into foroshandegan (foroshgah,hesab_no,nation,nam,bank,cmt)\n"
                          " select foroshande,hesab_no,nation,nam,bank,'' from tavrelkol\n"
                          " where id in (select max(id) from tavrelkol\n"
                          "  where ltrim(rtrim(foroshande))<>'' group by foroshande)\n"
                          " and not exists (select 1 from ")
        + dialect.lockedTable(QStringLiteral("foroshandegan"))
        + QStringLiteral(" where foroshgah=tavrelkol.foroshande)\n"
                         " order by foroshande");
}

int importFromPurchases()
{
    db::Connection &connection = forms::dm->ADOConnection1;
    int added = 0;
    pagekit::inWriteTransaction([&] { added = connection.exec(importStatement(connection.dialect())); });
    return added;
}

} // namespace vendors
