#pragma once
// The dialog service on Qt's own message boxes, input dialogs and file dialogs.
namespace ui {

void installQtDialogs();

} // namespace ui
