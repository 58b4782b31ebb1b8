#include "ui/left_to_right_column.h"
#include <QStyledItemDelegate>
#include <QAbstractItemView>

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

void drawLeftToRight(QAbstractItemView *view, int column)
{
    view->setItemDelegateForColumn(column, new LeftToRightDelegate(view));
}

} // namespace ui
