#include "sorted_lists.h"
#include <QCollator>
#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QSignalBlocker>
#include <algorithm>

namespace {

const QCollator &persianOrder()
{
    static const QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    return collator;
}

} // namespace

namespace sorted {

void fillKeepingText(QComboBox *combo, const QStringList &values)
{
    QStringList items = values;
    std::sort(items.begin(), items.end(), [](const QString &a, const QString &b) { return persianOrder()(a, b); });

    const QString text = combo->currentText();
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    const int index = combo->findText(text, Qt::MatchExactly);
    combo->setCurrentIndex(index);
    if (combo->isEditable())
        combo->setEditText(text);
}

void addItem(QListWidget *list, const QString &text)
{
    int row = 0;
    while (row < list->count() && persianOrder().compare(list->item(row)->text(), text) <= 0)
        ++row;
    list->insertItem(row, text);
}

} // namespace sorted
