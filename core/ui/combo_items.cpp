#include "ui/combo_items.h"
#include "persian/persian_text.h"
#include <QComboBox>
#include <QSignalBlocker>

namespace ui {

namespace {

bool isSorted(const QComboBox *combo)
{
    return combo->property("sorted").toBool();
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// The items in the combo's own order.
void putItems(QComboBox *combo, QStringList items)
{
    if (isSorted(combo))
        text::sortPersian(items);
    refillKeepingText(combo, items);
}

} // namespace

void refillKeepingText(QComboBox *combo, const QStringList &items)
{
    const QSignalBlocker quiet(combo);
    const QString shown = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(combo->findText(shown, Qt::MatchExactly));
    if (combo->isEditable())
        combo->setEditText(shown);
}

void setComboItems(QComboBox *combo, const QStringList &items)
{
    putItems(combo, items);
}

void addComboItems(QComboBox *combo, const QStringList &items)
{
    putItems(combo, itemsOf(combo) + items);
}

void sortComboItems(QComboBox *combo)
{
    if (isSorted(combo))
        putItems(combo, itemsOf(combo));
}

} // namespace ui
