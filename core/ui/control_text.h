#pragma once
// The text of a form's field whatever its kind, as the register stores it: a line edit's text, a combo box's
// text, a masked date or year field's stored text, a label's caption.
#include <QString>

class QWidget;

namespace ui {

QString controlText(const QWidget *control);
// Shows a text in the field; an editable combo box shows it even when it is none of its items.
void setControlText(QWidget *control, const QString &text);

} // namespace ui
