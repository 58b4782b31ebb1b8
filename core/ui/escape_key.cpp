#include "ui/escape_key.h"
#include <QDialog>
#include <QKeyEvent>

namespace ui {

namespace {

// Sees the key after the focused field left it alone (a combo box's open list still closes on it).
class EscapeKept : public QObject {
public:
    explicit EscapeKept(QObject *parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel);
    }
};

} // namespace

void keepOpenOnEscape(QDialog *dialog)
{
    dialog->installEventFilter(new EscapeKept(dialog));
}

} // namespace ui
