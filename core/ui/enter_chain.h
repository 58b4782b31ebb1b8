#pragma once
// The Enter chain of the entry forms: Enter (either key) in a field of the chain moves the focus to the next
// field; the last field of the chain and the fields outside it leave the key alone.
#include <QList>

class QWidget;

namespace ui {

// The chain lives as long as the first field. Editable combo boxes are watched through their line edits.
void installEnterChain(const QList<QWidget *> &fields);

} // namespace ui
