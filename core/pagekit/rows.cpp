#include "pagekit/rows.h"
#include "db/query.h"
#include "pagekit/listpage.h"
#include "pagekit/save.h"
#include "ui/dialogs.h"
#include <QActionGroup>

namespace pagekit {

bool hasCurrentRow(const db::Query &list)
{
    return list.active() && list.recNo() > 0;
}

bool deleteCurrentRow(db::Query &list, const std::function<void(db::Query &)> &ownSteps,
                      const std::function<bool()> &confirm)
{
    if (!hasCurrentRow(list) || !(confirm ? confirm() : listpage::confirmDelete()))
        return false;
    inWriteTransaction([&] {
        if (ownSteps)
            ownSteps(list);
        list.deleteRecord();
    }, {&list});
    ui::showMessage(QStringLiteral("حذف شد"));
    return true;
}

void openEmptyIfClosed(db::Query &list, const QString &table)
{
    if (list.active())
        return;
    list.clear();
    list.add(QStringLiteral("select * from ") + table + QStringLiteral(" where id=0 "));
    list.open();
}

void disableWhileEmpty(db::Query &list, const QList<QAction *> &commands, QObject *owner)
{
    // A group, so that the page rights, which switch each command, still decide once the list has rows: a
    // right given while the list is empty waits for rows.
    auto *group = new QActionGroup(owner);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction *command : commands)
        group->addAction(command);
    const auto follow = [group, &list] { group->setEnabled(list.active() && !list.isEmpty()); };
    follow();
    QObject::connect(&list, &db::Query::opened, group, follow);
    QObject::connect(&list, &db::Query::rowInserted, group, follow);
    QObject::connect(&list, &db::Query::rowRemoved, group, follow);
}

} // namespace pagekit
