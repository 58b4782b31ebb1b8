#pragma once
// A long list in its grid: every row is reachable (Ctrl+End and the scroll bar taken to its end read the rest
// first, the user told to wait), and a new search shows the emptied grid at once.
class QTableView;

namespace db {
class QueryModel;
}

namespace pagekit {

void reachEveryRow(QTableView *grid, db::QueryModel *model);

} // namespace pagekit
