#include "ui/balloon.h"
#include <QCursor>
#include <QToolTip>
#include <QWidget>

namespace ui {

namespace {

QString iconMark(int icon)
{
    switch (icon) {
    case 1: return QStringLiteral("ℹ ");
    case 2: return QStringLiteral("⚠ ");
    case 3: return QStringLiteral("⛔ ");
    default: return {};
    }
}

} // namespace

void ShowBalloonTip(QWidget *widget, int icon, const QString &text, const QString &title)
{
    if (!widget)
        return;
    const QString tip = QStringLiteral("<b>") + iconMark(icon) + title.toHtmlEscaped() + QStringLiteral("</b><br>")
                        + text.toHtmlEscaped();
    QPoint at = widget->mapFromGlobal(QCursor::pos());
    if (!widget->rect().contains(at))
        at = widget->rect().center();
    QToolTip::showText(widget->mapToGlobal(at), tip, widget, widget->rect());
}

} // namespace ui
