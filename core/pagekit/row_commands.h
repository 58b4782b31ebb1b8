#pragma once
// The commands of a list page that work on the current row (edit, delete, attachments, a letter) are off
// while the list is empty. They are held in a group, so that the page rights, which switch each command,
// still decide once the list has rows: a right given while the list is empty waits for rows.
#include <QList>

class QAction;
class QObject;

namespace db {
class Query;
}

namespace listpage {

// Follows the list query: the commands are enabled (as far as their own state allows) while it has rows.
void disableWhileEmpty(db::Query &list, const QList<QAction *> &commands, QObject *owner);

} // namespace listpage
