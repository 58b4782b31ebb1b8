#pragma once
// Filling the item lists of the forms' combo boxes the way the older combo boxes behaved: the text shown
// stays what it was (an edited record's value is never replaced by a list's first item) and filling
// signals no change of that text. A combo marked sorted in its layout (dynamic property "sorted" true)
// keeps its items in alphabetical (Persian) order, however it is filled.
#include <QStringList>

class QComboBox;

namespace ui {

// Replaces every item with these, in the order given or, when the combo is marked sorted, in alphabetical
// order: the text shown stays (selecting its item when the list holds it), and no signal is raised. Every
// refill of a combo comes here.
void refillKeepingText(QComboBox *combo, const QStringList &items);

// Replaces every item.
void setComboItems(QComboBox *combo, const QStringList &items);
// Adds items after the present ones (among them, when the combo is marked sorted).
void addComboItems(QComboBox *combo, const QStringList &items);

} // namespace ui
