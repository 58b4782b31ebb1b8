#pragma once
// What list pages do with the current row: whether there is one, and the one delete step of every page.
#include <QString>
#include <functional>

namespace db {
class Query;
}

namespace pagekit {

// True when the list is open and has a current row.
bool hasCurrentRow(const db::Query &list);

// How a page deletes: its own steps, its own confirmation, and whether it says so.
struct Deletion {
    // Run in the transaction, given the list on the row to delete, before the row goes (a stock given back).
    std::function<void(db::Query &)> ownSteps;
    // The page's own confirmation; empty: the question "آيا از حذف مطمئن هستيد؟", Yes only.
    std::function<bool()> confirm;
    bool told = true; // "حذف شد" once the row is gone
};
// A delete that asks nothing (the command is the clerk's decision), told or not.
Deletion withoutQuestion(bool told = true);

// The one delete step of every page: nothing without a current row; otherwise the confirmation, then in one write
// transaction the page's own steps and the row's delete, then "حذف شد". The row is deleted only while it still holds
// what the list read: a row another user changed or deleted meanwhile is refused with the database layer's Persian
// message, nothing is kept and the list is read again. Returns true when the row was deleted.
bool deleteCurrentRow(db::Query &list, const Deletion &deletion = {});

// The list opened on no rows of the table, so its grid shows just what an entry form then adds.
void openEmpty(db::Query &list, const QString &table);
// An entry form writes through its list page's query. When the page has not searched yet, the query is
// opened empty (not on the whole table).
void openEmptyIfClosed(db::Query &list, const QString &table);

} // namespace pagekit
