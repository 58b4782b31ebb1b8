#pragma once
// What a clerk does and sees on a list page, for the benchmarks: the grid's first painted rows, its rows and
// current row, a column title clicked, Ctrl+End pressed. Nothing here looks inside the program's lists: a
// figure stops at what shows on the screen.
#include <QObject>
#include <QString>
#include <QStringList>

class QTableView;

namespace bench {

// Tells when the grid first paints rows.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QTableView *grid);
    ~PaintWatch() override;
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableView *grid_;
};

int gridRows(QTableView *grid);
int currentRow(QTableView *grid); // 0-based; -1 for none
// The shown text of a cell, by the column's title.
QString cellText(QTableView *grid, int row, const QString &title);
void pressCtrlEnd(QTableView *grid);
// A click on the title of the column headed so; false when the grid has none.
bool clickTitle(QTableView *grid, const QString &title);

// Opens the file on the data module's connection and signs the administrator in with every right on the
// pages named by their keys.
void signInWithRights(const QString &path, const QStringList &pages);

} // namespace bench
