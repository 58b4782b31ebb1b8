#pragma once
// A group box of radio buttons used as one choice: the item index counts the buttons in their order.
#include <QString>

class QGroupBox;

int radioIndex(const QGroupBox *group);          // -1 when none is checked
void setRadioIndex(QGroupBox *group, int index); // does not emit the buttons' clicked()
QString radioText(const QGroupBox *group);        // the checked button's text; empty when none
