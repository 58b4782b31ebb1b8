#include "pagekit/grid.h"
#include "pagekit/listpage.h"
#include "ui/guard.h"
#include <QHeaderView>
#include <QTableView>

namespace pagekit {

db::QueryModel *setupGrid(QTableView *grid, db::Query &query, const QVector<Column> &columns)
{
    // A list a page shows reads its rows as they are needed: the first at once, the rest while it is shown.
    query.setIncremental(true);
    auto *model = new db::QueryModel(query, grid);
    model->setColumns(columns);
    model->attach(grid);
    ui::connectGuarded(grid->horizontalHeader(), &QHeaderView::sectionClicked, grid,
                       [model](int column) { listpage::SortGridByTitle(*model, column); });
    return model;
}

} // namespace pagekit
