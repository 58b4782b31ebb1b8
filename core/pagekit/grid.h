#pragma once
// A list page's grid declared as a table: each column's field, title, and whether it is hidden, how its cells align
// and its title's background. The grid follows the list query, sorts by a clicked title and keeps hidden columns
// hidden through every new list. What a double click runs, the page declares with its commands (pagekit/commands.h).
#include "db/querymodel.h"
#include <QVector>

class QTableView;

namespace pagekit {

using Column = db::GridColumn;

// Shows the query in the grid with the columns (a page hides `id` by declaring it hidden) and sorts by a clicked
// title (listpage::SortGridByTitle); this is the one place the title click is connected. The model belongs to the
// grid.
db::QueryModel *setupGrid(QTableView *grid, db::Query &query, const QVector<Column> &columns);

} // namespace pagekit
