#pragma once
// What the money and quantity fields do with their filtered text: show it, caret at the end.
#include <QLineEdit>

namespace edits {

// Setting a different text raises textChanged once more; the filters leave their own output unchanged,
// so that second pass ends here without another setText.
inline void showFiltered(QLineEdit &edit, const QString &filtered)
{
    if (filtered != edit.text())
        edit.setText(filtered);
    edit.setCursorPosition(int(edit.text().size()));
}

} // namespace edits
