#include "report/document.h"
#include "report/layout.h"

namespace report {

Control Control::label(const QString &name, const QRectF &box, const QString &caption)
{
    Control c;
    c.name = name;
    c.box = box;
    c.text = caption;
    return c;
}

Control Control::field(const QString &name, const QRectF &box, const QString &fieldName)
{
    Control c = label(name, box, fieldName);
    c.kind = Kind::Field;
    return c;
}

Control Control::rowNumber(const QString &name, const QRectF &box)
{
    Control c = label(name, box, QString());
    c.kind = Kind::RowNumber;
    return c;
}

Control Control::rectangle(const QString &name, const QRectF &box, Pen pen)
{
    Control c = label(name, box, QString());
    c.kind = Kind::Rectangle;
    c.pen = pen;
    return c;
}

Control Control::line(const QString &name, const QRectF &box)
{
    Control c = label(name, box, QString());
    c.kind = Kind::Line;
    return c;
}

Control Control::image(const QString &name, const QRectF &box)
{
    Control c = label(name, box, QString());
    c.kind = Kind::Image;
    return c;
}

Control Control::paragraph(const QString &name, const QRectF &box, const QVector<Run> &runs)
{
    Control c = label(name, box, QString());
    c.kind = Kind::Paragraph;
    c.runs = runs;
    return c;
}

Band &Layout::band(BandType type)
{
    return const_cast<Band &>(std::as_const(*this).band(type));
}

const Band &Layout::band(BandType type) const
{
    switch (type) {
    case BandType::PageHeader: return pageHeader;
    case BandType::ColumnHeader: return columnHeader;
    case BandType::Detail: return detail;
    case BandType::PageFooter: return pageFooter;
    case BandType::Summary: return summary;
    }
    return detail;
}

QSizeF paperSize(Paper paper)
{
    return paper == Paper::A5 ? QSizeF(148, 210) : QSizeF(210, 297);
}

QVector<const Item *> Document::find(int page, const QString &name) const
{
    QVector<const Item *> found;
    if (page < 0 || page >= pages.size())
        return found;
    for (const Item &item : pages[page].items)
        if (item.control->name == name)
            found.append(&item);
    return found;
}

} // namespace report
