#pragma once
// A list page's grid declared as a table: each column's field, title, and whether it is hidden, how its cells
// align and its title's background. The grid follows the list query, sorts by a clicked title, keeps hidden
// columns hidden through every new list, and runs the page's edit command on a double click.
#include "db/querymodel.h"
#include <QVector>

class QAction;
class QTableView;

namespace pagekit {

using Column = db::GridColumn;

// Shows the query in the grid with the columns (a page hides `id` by declaring it hidden) and sorts by a
// clicked title (listpage::SortGridByTitle); this is the one place the title click is connected. A double
// click on a row triggers editCommand exactly when that command is enabled, so the page rights and an empty
// list hold on this road as on the menu; a page without editCommand (null) does nothing on a double click.
// The model belongs to the grid.
db::QueryModel *setupGrid(QTableView *grid, db::Query &query, const QVector<Column> &columns,
                          QAction *editCommand = nullptr);

} // namespace pagekit
