#include "pagekit/rows.h"
#include "db/query.h"
#include "pagekit/listpage.h"
#include "pagekit/save.h"
#include "ui/dialogs.h"

namespace pagekit {

bool hasCurrentRow(const db::Query &list)
{
    return list.active() && list.recNo() > 0;
}

bool deleteCurrentRow(db::Query &list, const Deletion &deletion)
{
    if (!hasCurrentRow(list) || !(deletion.confirm ? deletion.confirm() : listpage::confirmDelete()))
        return false;
    inWriteTransaction(
        [&] {
            if (deletion.ownSteps)
                deletion.ownSteps(list);
            list.deleteRecord();
        },
        {&list});
    if (deletion.told)
        ui::showMessage(QStringLiteral("حذف شد"));
    return true;
}

Deletion withoutQuestion(bool told)
{
    Deletion deletion;
    deletion.confirm = [] { return true; };
    deletion.told = told;
    return deletion;
}

void openEmpty(db::Query &list, const QString &table)
{
    list.clear();
    list.add(QStringLiteral("select * from ") + table + QStringLiteral(" where id=0 "));
    list.open();
}

void openEmptyIfClosed(db::Query &list, const QString &table)
{
    if (!list.active())
        openEmpty(list, table);
}

} // namespace pagekit
