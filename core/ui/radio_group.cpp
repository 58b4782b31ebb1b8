#include "ui/radio_group.h"
#include <QGroupBox>
#include <QRadioButton>

namespace {

QList<QRadioButton *> items(const QGroupBox *group)
{
    return group->findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

int radioIndex(const QGroupBox *group)
{
    const QList<QRadioButton *> buttons = items(group);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

void setRadioIndex(QGroupBox *group, int index)
{
    const QList<QRadioButton *> buttons = items(group);
    if (index >= 0 && index < buttons.size())
        buttons[index]->setChecked(true);
}

QString radioText(const QGroupBox *group)
{
    const int index = radioIndex(group);
    return index >= 0 ? items(group).at(index)->text() : QString();
}
