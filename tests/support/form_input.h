#pragma once
// Typing into a form's fields and reading its lists, as the form tests do it.
#include <QStringList>

class QComboBox;
class QWidget;

// Sends each character as a key press with that text: QTest::keyClicks sends Latin-1 only, while a Persian
// keyboard sends its own characters.
void typeText(QWidget *widget, const QString &text);
// The item texts of a combo box, in order.
QStringList comboItems(const QComboBox *combo);
