#pragma once
// Long work shows it: while a BusyCursor lives the pointer is the wait cursor, and it is restored however
// the work ends (an error included). Nested uses stack, as Qt's override cursors do.
#include <QApplication>
#include <QGuiApplication>

namespace ui {

class BusyCursor {
public:
    // Only a GUI application has a pointer: work done in a program without one (a tool, a data test) shows nothing.
    BusyCursor() : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (shown_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    const bool shown_;
};

} // namespace ui
