#include "pagekit/row_commands.h"
#include "db/query.h"
#include <QActionGroup>

namespace listpage {

void disableWhileEmpty(db::Query &list, const QList<QAction *> &commands, QObject *owner)
{
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

} // namespace listpage
