// Painting laid-out pages: every item drawn at its place in millimetres, on the renderer's 1200 dots per
// inch scaled to the device's resolution.
#include "report/fonts.h"
#include "report/report.h"
#include "report/text.h"
#include "ui/busy.h"
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>

namespace report {

namespace {

// Outlines as thin as the report framework's one-pixel pen at the screen's 96 dots per inch.
constexpr double penMm = 25.4 / 96;

QRectF inDots(const QRectF &mm)
{
    return QRectF(mm.left() * dotsPerMm, mm.top() * dotsPerMm, mm.width() * dotsPerMm, mm.height() * dotsPerMm);
}

class ItemPainter {
public:
    ItemPainter(QPainter &painter, const Font &layoutFont) : painter_(painter), layoutFont_(layoutFont)
    {
        QPen pen(Qt::black);
        pen.setWidthF(penMm * dotsPerMm);
        pen.setJoinStyle(Qt::MiterJoin);
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
    }

    void paint(const Item &item)
    {
        const Control &control = *item.control;
        const QRectF box = inDots(item.box);
        switch (control.kind) {
        case Kind::Rectangle: painter_.drawRect(box); break;
        case Kind::Line:
            if (box.width() < box.height())
                painter_.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
            else
                painter_.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
            break;
        case Kind::Image: painter_.drawImage(box, control.picture); break;
        default: drawText(painter_, style(control), box, item.text, item.spans, item.lines); break;
        }
    }

private:
    const TextStyle &style(const Control &control)
    {
        auto it = styles_.constFind(&control);
        if (it == styles_.constEnd())
            it = styles_.insert(&control, TextStyle(control, layoutFont_));
        return *it;
    }

    QPainter &painter_;
    const Font &layoutFont_;
    QHash<const Control *, TextStyle> styles_;
};

} // namespace

bool Report::paint(QPagedPaintDevice &device) const
{
    const ui::BusyCursor busy;
    const Document document = layOut();
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(device.logicalDpiX() / dotsPerInch, device.logicalDpiY() / dotsPerInch);
    ItemPainter items(painter, layout_.font);
    for (qsizetype page = 0; page < document.pages.size(); ++page) {
        if (page > 0)
            device.newPage();
        for (const Item &item : document.pages[page].items)
            items.paint(item);
    }
    return painter.end();
}

} // namespace report
