#include "ui/combo_items.h"
#include "persian/persian_text.h"
#include <QComboBox>
#include <QSignalBlocker>

namespace ui {

void refillKeepingText(QComboBox *combo, const QStringList &items)
{
    QStringList ordered = items;
    if (combo->property("sorted").toBool())
        text::sortPersian(ordered);
    const QSignalBlocker quiet(combo);
    const QString shown = combo->currentText();
    combo->clear();
    combo->addItems(ordered);
    combo->setCurrentIndex(combo->findText(shown, Qt::MatchExactly));
    if (combo->isEditable())
        combo->setEditText(shown);
}

void setComboItems(QComboBox *combo, const QStringList &items)
{
    refillKeepingText(combo, items);
}

void addComboItems(QComboBox *combo, const QStringList &items)
{
    QStringList all;
    for (int i = 0; i < combo->count(); ++i)
        all.append(combo->itemText(i));
    refillKeepingText(combo, all + items);
}

} // namespace ui
