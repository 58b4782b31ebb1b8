#include "pagekit/grid.h"
#include "pagekit/listpage.h"
#include "pagekit/long_list.h"
#include "ui/guard.h"
#include "ui/latin_font.h"
#include <QHeaderView>
#include <QTableView>

namespace pagekit {

db::QueryModel *setupGrid(QTableView *grid, db::Query &query, const QVector<Column> &columns)
{
    // A list a page shows reads its first rows at once, and the rest between the user's events.
    query.setIncremental(true);
    auto *model = new db::QueryModel(query, grid);
    model->setLatinFont(ui::latinFont(grid->font()));
    model->setColumns(columns);
    model->attach(grid);
    reachEveryRow(grid, model);
    ui::connectGuarded(grid->horizontalHeader(), &QHeaderView::sectionClicked, grid,
                       [model](int column) { listpage::SortGridByTitle(*model, column); });
    return model;
}

} // namespace pagekit
