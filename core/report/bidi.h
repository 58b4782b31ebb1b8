#pragma once
// A text prepared for setting on a page: each filled value of a paragraph isolated in its own direction, and
// the blanks and punctuation that read right to left pinned there with right-to-left marks. The print
// preview records every run of one direction as its own string and draws it again left to right; pinned,
// a blank or colon at the edge of a Persian run stays where the page had it ("تاريخ:" keeps its colon on
// the left, "شماره 12" its blank).
#include "report/document.h"
#include <QString>
#include <QVector>

namespace report {

struct SetText {
    QString text;
    QVector<Span> spans; // the runs, moved to the prepared text
};

// replayed: the text goes to the print preview, which draws each run again left to right; the brackets of a
// right-to-left run are then handed over already mirrored.
SetText prepareForSetting(const QString &text, const QVector<Span> &spans, bool rightToLeft, bool replayed = false);

} // namespace report
