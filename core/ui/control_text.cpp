#include "ui/control_text.h"
#include "ui/date_edit.h"
#include <QComboBox>
#include <QLabel>

namespace ui {

QString controlText(const QWidget *control)
{
    if (!control)
        return {};
    if (const auto *masked = qobject_cast<const TMaskedEdit *>(control))
        return masked->storedText();
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    Q_ASSERT_X(false, "controlText", "a field of an unknown kind");
    return {};
}

void setControlText(QWidget *control, const QString &text)
{
    if (auto *masked = qobject_cast<TMaskedEdit *>(control))
        masked->setStoredText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(text);
    else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text));
    } else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
    else
        Q_ASSERT_X(false, "setControlText", "a field of an unknown kind");
}

} // namespace ui
