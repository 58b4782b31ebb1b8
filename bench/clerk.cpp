#include "clerk.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "signed_in_user.h"
#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace bench {

PaintWatch::PaintWatch(QTableView *grid) : grid_(grid) { grid->viewport()->installEventFilter(this); }

PaintWatch::~PaintWatch() { grid_->viewport()->removeEventFilter(this); }

bool PaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && gridRows(grid_) > 0)
        painted = true;
    return QObject::eventFilter(watched, event);
}

int gridRows(QTableView *grid) { return grid->model() ? grid->model()->rowCount() : 0; }

int currentRow(QTableView *grid) { return grid->currentIndex().isValid() ? grid->currentIndex().row() : -1; }

namespace {

int columnTitled(QTableView *grid, const QString &title)
{
    for (int column = 0; grid->model() && column < grid->model()->columnCount(); ++column)
        if (grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() == title)
            return column;
    return -1;
}

} // namespace

QString cellText(QTableView *grid, int row, const QString &title)
{
    const int column = columnTitled(grid, title);
    return column < 0 ? QString() : grid->model()->index(row, column).data(Qt::DisplayRole).toString();
}

void pressCtrlEnd(QTableView *grid) { QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier); }

bool clickTitle(QTableView *grid, const QString &title)
{
    const int column = columnTitled(grid, title);
    if (column < 0)
        return false;
    QHeaderView *header = grid->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    return true;
}

void signInWithRights(const QString &path, const QStringList &pages)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(u"Provider=SQLite;Data Source="_s + path);
    connection.open();
    for (const QString &page : pages) {
        connection.exec(u"delete from dastrasi where prs_id=1 and page_name=?"_s, {page});
        connection.exec(u"insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) "
                        u"values (1,?,1,1,1,1)"_s,
                        {page});
    }
    SignedInUser::instance().set(u"1"_s, u"admin"_s, u"ostan"_s);
    forms::main_->resize(1366, 740);
}

} // namespace bench
