#pragma once
// What list pages do with the current row: whether there is one, the delete step, and keeping the
// current-row commands off while the list is empty.
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QObject;

namespace db {
class Query;
}

namespace pagekit {

// True when the list is open and has a current row.
bool hasCurrentRow(const db::Query &list);

// The one delete step of every page: nothing on an empty list; otherwise the page's own confirmation
// (confirm; empty: the question "آيا از حذف مطمئن هستيد؟", Yes only), then in one write transaction the
// page's own steps (ownSteps, given the list on the row to delete) and the row's delete, then "حذف شد". When
// anything fails, nothing is kept and the list is read again; a row another user deleted meanwhile is told
// by a plain message. Returns true when the row was deleted.
bool deleteCurrentRow(db::Query &list, const std::function<void(db::Query &)> &ownSteps = {},
                      const std::function<bool()> &confirm = {});
// The confirmation of a delete that asks nothing: the command is the clerk's decision.
inline bool withoutQuestion() { return true; }

// An entry form writes through its list page's query. When the page has not searched yet, the query is
// opened on no rows of the table (not on the whole table), so the grid shows just what the form adds.
void openEmptyIfClosed(db::Query &list, const QString &table);

// Keeps the commands disabled while the list is closed or empty.
void disableWhileEmpty(db::Query &list, const QList<QAction *> &commands, QObject *owner);

} // namespace pagekit
