#include "report/text.h"
#include "report/bidi.h"
#include "report/fonts.h"
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPaintEngine>
#include <QTextLayout>
#include <algorithm>

namespace report {

namespace {

// Lines no further apart than 1.6 em: the Arabic families reserve room for stacked marks that office
// texts do not use, and their own line spacing would double-space every wrapped line.
constexpr double widestPitchEm = 1.6;

Qt::Alignment horizontal(const Control &control)
{
    switch (control.align) {
    case Align::Left: return Qt::AlignLeft;
    case Align::Right: return Qt::AlignRight;
    case Align::Centre: return Qt::AlignHCenter;
    case Align::Natural: break;
    }
    return control.direction == Direction::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
}

QList<QTextLayout::FormatRange> formatsOf(const QVector<Span> &spans)
{
    QList<QTextLayout::FormatRange> formats;
    for (const Span &span : spans) {
        if (!span.bold && !span.underline)
            continue;
        QTextLayout::FormatRange range;
        range.start = span.start;
        range.length = span.length;
        if (span.bold)
            range.format.setFontWeight(QFont::Bold);
        if (span.underline)
            range.format.setFontUnderline(true);
        formats.append(range);
    }
    return formats;
}

// Breaks the text into lines of the width, each placed at its pitch; returns the number of lines.
int breakLines(QTextLayout &layout, const TextStyle &style, const QVector<Span> &spans, double width)
{
    layout.setFont(style.font);
    layout.setTextOption(style.option);
    layout.setFormats(formatsOf(spans));
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1.0));
        line.setPosition(QPointF(0, lines * style.pitch + (style.pitch - line.height()) / 2));
        ++lines;
    }
    layout.endLayout();
    return std::max(lines, 1);
}

// The style breaking lines at word boundaries (anywhere within a word longer than the line).
TextStyle breakingAtWords(const TextStyle &style)
{
    TextStyle breaking = style;
    breaking.option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return breaking;
}

// Draws a run of placed glyphs. The painter starts a run's underline at the point it is given, not at the
// run's first glyph, so the run is given from its left edge.
void drawPlaced(QPainter &painter, const QPointF &origin, QGlyphRun run)
{
    QList<QPointF> positions = run.positions();
    if (positions.isEmpty())
        return;
    double left = positions.first().x();
    for (const QPointF &at : std::as_const(positions))
        left = std::min(left, at.x());
    for (QPointF &at : positions)
        at.rx() -= left;
    run.setPositions(positions);
    painter.drawGlyphRun(origin + QPointF(left, 0), run);
}

// The text as set: a paragraph's values isolated, or a left-to-right control's text as one value, so that
// "1403/ب/125" reads there as the grid shows it.
SetText prepared(const TextStyle &style, const QString &text, const QVector<Span> &spans)
{
    if (style.valueWhole)
        return isolateValues(text, {Span{0, int(text.size()), false, false, true}});
    return isolateValues(text, spans);
}

} // namespace

TextStyle::TextStyle(const Control &control, const Font &layoutFont)
    : font(qtFont(control.font.value_or(layoutFont))),
      wraps(control.wraps || control.kind == Kind::Paragraph),
      centred(!wraps),
      valueWhole(control.isText() && control.direction == Direction::LeftToRight)
{
    option.setAlignment(horizontal(control) | Qt::AlignAbsolute);
    option.setTextDirection(control.direction == Direction::RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    const QFontMetricsF metrics(font);
    pitch = std::min(metrics.lineSpacing(), widestPitchEm * font.pixelSize());
}

int lineCount(const TextStyle &style, const QString &text, const QVector<Span> &spans, double width)
{
    if (!style.wraps || text.isEmpty())
        return 1;
    const SetText set = prepared(style, text, spans);
    QTextLayout layout(set.text);
    return breakLines(layout, breakingAtWords(style), set.spans, width);
}

double linesHeightMm(const TextStyle &style, int lines)
{
    return lines * style.pitch / dotsPerMm;
}

void drawText(QPainter &painter, const TextStyle &style, const QRectF &box, const QString &text,
              const QVector<Span> &spans, int lines)
{
    if (text.isEmpty())
        return;
    const double block = lines * style.pitch;
    const QPointF origin(box.left(), style.centred ? box.top() + (box.height() - block) / 2 : box.top());
    const SetText set = prepared(style, text, spans);
    QTextLayout layout(set.text);
    breakLines(layout, style.wraps ? breakingAtWords(style) : style, set.spans, box.width());
    // The print preview records each run of one direction as its characters and sets them again on their
    // own, left to right: a blank or bracket at the edge of a Persian run would move. Glyphs already placed
    // are recorded as they stand, so the preview shows what the page prints.
    if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Picture) {
        for (const QGlyphRun &run : layout.glyphRuns())
            drawPlaced(painter, origin, run);
        return;
    }
    layout.draw(&painter, origin);
}

} // namespace report
