#include "ui/ltr_combo_box.h"
#include <QStyleOptionComboBox>
#include <QStylePainter>

LtrComboBox::LtrComboBox(QWidget *parent) : QComboBox(parent)
{
    setLayoutDirection(Qt::LeftToRight);
}

void LtrComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setLayoutDirection(Qt::LeftToRight);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
