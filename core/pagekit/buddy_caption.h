#pragma once
// The caption an entry form shows beside a field: the text of the label whose buddy the field is. The
// entry-field tables name a refused field by it, so the refusal says what the user reads on the form.
#include <QString>

class QWidget;

namespace pagekit {

// The caption of the field's label on its form; empty when no label names the field as its buddy.
QString buddyCaption(const QWidget *field);

} // namespace pagekit
