#pragma once
// Long work shows it: while a BusyCursor lives the pointer is the wait cursor, and it is restored however
// the work ends (an error included). Nested uses stack, as Qt's override cursors do.
#include <QApplication>
#include <QGuiApplication>

namespace ui {

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace ui
