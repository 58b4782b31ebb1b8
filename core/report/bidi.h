#pragma once
// A text prepared for setting: each filled value isolated in its own reading direction (ui/reading_direction.h),
// so that an account number or a Latin name among Persian words reads as it was typed. Everything else is
// ordered by Qt's own bidirectional algorithm, as the screen orders the same text.
#include "report/document.h"
#include <QString>
#include <QVector>

namespace report {

struct SetText {
    QString text;
    QVector<Span> spans; // the runs, moved to the prepared text; a value's run covers its marks
};

// The spans run in text order without overlapping.
SetText isolateValues(const QString &text, const QVector<Span> &spans);

} // namespace report
