#pragma once
// A group box of radio buttons used as one choice: the item index counts the buttons in their order.
class QGroupBox;

int radioIndex(const QGroupBox *group);          // -1 when none is checked
void setRadioIndex(QGroupBox *group, int index); // does not emit the buttons' clicked()
