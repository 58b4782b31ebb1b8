#include "pagekit/sorted_lists.h"
#include "persian/persian_text.h"
#include "ui/combo_items.h"
#include <QListWidget>

namespace sorted {

void fillKeepingText(QComboBox *combo, const QStringList &values)
{
    QStringList items = values;
    text::sortPersian(items);
    ui::refillKeepingText(combo, items);
}

void addItem(QListWidget *list, const QString &text)
{
    int row = 0;
    while (row < list->count() && text::comparePersian(list->item(row)->text(), text) <= 0)
        ++row;
    list->insertItem(row, text);
}

} // namespace sorted
