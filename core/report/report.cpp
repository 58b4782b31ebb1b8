#include "report/report.h"
#include "report/fonts.h"
#include "ui/dialogs.h"
#include <QPageSize>
#include <QPdfWriter>
#include <stdexcept>

namespace report {

namespace {

[[noreturn]] void noSuch(const char *what, const QString &name)
{
    throw std::logic_error(std::string("report has no ") + what + " named " + name.toStdString());
}

} // namespace

Report::Report(Layout layout, db::Query *dataset) : layout_(std::move(layout)), dataset_(dataset)
{
    frame_ = Control::rectangle(QStringLiteral("pageFrame"), QRectF());
    for (BandType type : bandTypes)
        for (Control &c : layout_.band(type).controls) {
            if (!c.name.isEmpty())
                controls_.insert(c.name, &c);
            for (Run &r : c.runs)
                if (!r.name.isEmpty())
                    runs_.insert(r.name, &r);
        }
}

Control &Report::control(const QString &name)
{
    return const_cast<Control &>(std::as_const(*this).control(name));
}

const Control &Report::control(const QString &name) const
{
    const Control *found = controls_.value(name);
    if (!found)
        noSuch("control", name);
    return *found;
}

Run *Report::run(const QString &name)
{
    return runs_.value(name);
}

const Run *Report::run(const QString &name) const
{
    return runs_.value(name);
}

void Report::setCaption(const QString &name, const QString &text)
{
    if (Run *r = run(name))
        r->text = text;
    else
        control(name).text = text;
}

QString Report::caption(const QString &name) const
{
    const Run *r = run(name);
    return r ? r->text : control(name).text;
}

void Report::setVisible(const QString &name, bool visible)
{
    if (Run *r = run(name))
        r->visible = visible;
    else
        control(name).visible = visible;
}

bool Report::isVisible(const QString &name) const
{
    const Run *r = run(name);
    return r ? r->visible : control(name).visible;
}

void Report::setPen(const QString &shape, Pen pen)
{
    Control &c = control(shape);
    if (!c.isShape())
        noSuch("shape", shape);
    c.pen = pen;
}

Pen Report::pen(const QString &shape) const
{
    const Control &c = control(shape);
    if (!c.isShape())
        noSuch("shape", shape);
    return c.pen;
}

void Report::setPicture(const QString &image, const QImage &picture)
{
    Control &c = control(image);
    if (c.kind != Kind::Image)
        noSuch("image", image);
    c.picture = picture;
}

QPageLayout Report::pageLayout() const
{
    const QPageSize size(layout_.paper == Paper::A5 ? QPageSize::A5 : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void Report::preview(const QString &caption) const
{
    ui::dialogs().printPreview(caption, pageLayout(), [this](QPagedPaintDevice &device) { paint(device); });
}

bool Report::writePdf(const QString &path) const
{
    QPdfWriter writer(path);
    writer.setResolution(int(dotsPerInch));
    writer.setPageLayout(pageLayout());
    writer.setCreator(QStringLiteral("tavrel"));
    return paint(writer);
}

} // namespace report
