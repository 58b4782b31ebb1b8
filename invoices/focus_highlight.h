#pragma once
// The invoice entry form paints the field being typed into yellow, and gives it back the window colour when
// the focus leaves. A field may light another in its place (the levy field lights the shop box).
#include <QList>
#include <utility>

class QWidget;

namespace invoices {

// Each pair: the field whose focus is watched, and the control painted while it has the focus.
void installFocusHighlight(const QList<std::pair<QWidget *, QWidget *>> &fields);

} // namespace invoices
