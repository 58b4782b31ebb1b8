#pragma once
// How the renderer sets text: one style per control (font, alignment, reading direction), lines at an even
// pitch, measured when a page is laid out and drawn the same way when it is painted.
#include "report/document.h"
#include <QFont>
#include <QTextOption>

class QPainter;

namespace report {

struct TextStyle {
    QFont font;
    QTextOption option;  // alignment (absolute), reading direction, no wrapping (lines are broken here)
    double pitch = 0;    // dots from one line to the next
    bool wraps = false;
    bool centred = true; // a single line sits in the middle of its box; wrapping text starts at the top
    bool valueWhole = false; // a left-to-right text control: its text is one filled value, isolated as a paragraph's

    TextStyle() = default;
    TextStyle(const Control &control, const Font &layoutFont);
};

// Lines that the text takes in a box of this width (in dots); 1 for text that does not wrap.
int lineCount(const TextStyle &style, const QString &text, const QVector<Span> &spans, double width);
// Height in millimetres of that many lines.
double linesHeightMm(const TextStyle &style, int lines);
// Draws the text into the box (in dots), broken into lines as lineCount broke it.
void drawText(QPainter &painter, const TextStyle &style, const QRectF &box, const QString &text,
              const QVector<Span> &spans, int lines);

} // namespace report
