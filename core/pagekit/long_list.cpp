#include "pagekit/long_list.h"
#include "db/querymodel.h"
#include "ui/guard.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

namespace pagekit {

namespace {

// Reads the rows still to come; false when the read failed (the list is then closed, and that was told).
bool readRest(db::QueryModel *model)
{
    db::Query *list = model->liveQuery();
    return !list || !list->hasMoreRows() || ui::guarded([list] { list->fetchAll(); });
}

// Ctrl+End: the rest is read before the grid moves to its last row, which is then the list's.
class LastRowKey : public QObject {
public:
    LastRowKey(QTableView *grid, db::QueryModel *model) : QObject(grid), model_(model) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_End && key->modifiers().testFlag(Qt::ControlModifier))
                return !readRest(model_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    db::QueryModel *model_;
};

} // namespace

void reachEveryRow(QTableView *grid, db::QueryModel *model)
{
    grid->installEventFilter(new LastRowKey(grid, model));
    QScrollBar *bar = grid->verticalScrollBar();
    const auto atEnd = [grid, bar, model] {
        if (bar->sliderPosition() == bar->maximum() && readRest(model))
            grid->scrollToBottom();
    };
    QObject::connect(bar, &QAbstractSlider::sliderMoved, grid, atEnd);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, grid, [atEnd](int action) {
        if (action == QAbstractSlider::SliderToMaximum)
            atEnd();
    });
    // A new search empties the list first: the grid shows that at once, before the statement runs.
    QObject::connect(model, &QAbstractItemModel::modelReset, grid, [grid, model] {
        if (model->rowCount() > 0)
            return;
        grid->viewport()->repaint();
        grid->verticalHeader()->viewport()->repaint();
    });
}

} // namespace pagekit
