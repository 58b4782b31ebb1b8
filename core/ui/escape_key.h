#pragma once
// The forms have no cancel key: Escape leaves a form, and what was typed in it, as they are, where a dialog
// would close on it. The sign-in form alone answers Escape (it ends the program).
class QDialog;

namespace ui {

// For as long as the dialog lives.
void keepOpenOnEscape(QDialog *dialog);

} // namespace ui
