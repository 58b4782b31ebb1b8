#include "ui/left_to_right_column.h"
#include <QStyledItemDelegate>
#include <QTableView>

namespace ui {

namespace {

class LeftToRightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->direction = Qt::LeftToRight;
    }
};

} // namespace

void drawLeftToRight(QTableView *grid, int column)
{
    grid->setItemDelegateForColumn(column, new LeftToRightDelegate(grid));
}

} // namespace ui
