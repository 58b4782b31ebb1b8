#pragma once
// A text prepared for setting: each filled value isolated in its own direction, so that an account number or
// a Latin name among Persian words reads as it was typed. Everything else is ordered by Qt's own bidirectional
// algorithm, as the screen orders the same text.
#include "report/document.h"
#include <QString>
#include <QVector>

namespace report {

struct SetText {
    QString text;
    QVector<Span> spans; // the runs, moved to the prepared text; a value's run covers its marks
};

// The direction a filled value reads in. A value that holds a Persian letter reads right to left, as the
// register's grids and edits show it whatever letter it starts with ("HP 85A کارتريج" keeps the Persian word
// on the left, "1403/ب/125" its year on the right); one without reads left to right ("-1,250" keeps its sign
// on the left).
Qt::LayoutDirection valueDirection(QStringView value);

// The spans run in text order without overlapping.
SetText isolateValues(const QString &text, const QVector<Span> &spans);

} // namespace report
