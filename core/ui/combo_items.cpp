#include "ui/combo_items.h"
#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

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

// Sets the items with the shown text (and, for a fixed list, the chosen item) kept and no signal raised.
void putItems(QComboBox *combo, QStringList items)
{
    if (isSorted(combo))
        std::stable_sort(items.begin(), items.end(),
                         [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    const QSignalBlocker blocker(combo);
    const QString shown = combo->currentText();
    combo->clear();
    combo->addItems(items);
    if (combo->isEditable())
        combo->setEditText(shown);
    else
        combo->setCurrentIndex(int(items.indexOf(shown)));
}

} // namespace

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
