#pragma once
// The balloon over a grid: a tip with a bold title above its text, shown at the pointer while the pointer
// rests on the widget. Icons: 0 none, 1 information, 2 warning, 3 error; any other number is 0.
#include <QString>

class QWidget;

namespace ui {

void ShowBalloonTip(QWidget *widget, int icon, const QString &text, const QString &title);

} // namespace ui
