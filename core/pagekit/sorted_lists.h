#pragma once
// Combo boxes and lists whose items stay in alphabetical order, as a Persian reader expects it.
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace sorted {

// Replaces the combo's items with the values in alphabetical order. The text the combo holds stays (an
// entry form's value set before the list is refilled), and no change of text is signalled.
void fillKeepingText(QComboBox *combo, const QStringList &values);

// Inserts the text at its alphabetical place; equal texts may stand more than once.
void addItem(QListWidget *list, const QString &text);

} // namespace sorted
