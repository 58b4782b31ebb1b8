#include "focus_highlight.h"
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QWidget>

namespace invoices {

namespace {

constexpr QColor focusColour{0xFF, 0xFF, 0x00};

// Edits paint with Base; an editable combo box paints its edit with Base too and its frame with Button.
void paint(QWidget *control, bool lit)
{
    QPalette palette = control->palette();
    const QPalette system = QApplication::palette(control);
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
        palette.setBrush(QPalette::All, role, lit ? QBrush(focusColour) : system.brush(role));
    control->setPalette(palette);
}

class FocusPainter : public QObject {
public:
    FocusPainter(QObject *parent, QWidget *painted) : QObject(parent), painted_(painted) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (painted_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
            paint(painted_, event->type() == QEvent::FocusIn);
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> painted_;
};

} // namespace

void installFocusHighlight(const QList<std::pair<QWidget *, QWidget *>> &fields)
{
    for (const auto &[watched, painted] : fields) {
        auto *painter = new FocusPainter(watched, painted);
        watched->installEventFilter(painter);
        // An editable combo box takes the focus in its line edit.
        if (auto *combo = qobject_cast<QComboBox *>(watched); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(painter);
    }
}

} // namespace invoices
