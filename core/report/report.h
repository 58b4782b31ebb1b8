#pragma once
// A banded report (the layout forms' `QuickRep1`): a declared layout (layout.h), optionally over a dataset of
// the data module that drives its detail band, with the operations the print commands use: set and read a
// caption, show or hide a control, set a shape's pen, preview. Captions, visibility and pens stay as last
// set until changed.
#include "report/document.h"
#include "report/layout.h"
#include <QHash>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

namespace db {
class Query;
}

namespace report {

class Report {
public:
    // The dataset's rows become the detail lines, in its current order; without one, the detail prints once.
    explicit Report(Layout layout, db::Query *dataset = nullptr);
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // A label's caption, or a named run's text. Naming no such control is a program error (std::logic_error).
    void setCaption(const QString &name, const QString &text);
    QString caption(const QString &name) const;
    // Any control or named run; a hidden one prints nothing.
    void setVisible(const QString &name, bool visible);
    bool isVisible(const QString &name) const;
    // A shape's outline; a clear pen draws nothing.
    void setPen(const QString &shape, Pen pen);
    Pen pen(const QString &shape) const;
    // An image control's picture, stretched into its box when printed.
    void setPicture(const QString &image, const QImage &picture);

    // Lays the report out from its dataset's current rows (without moving the current row, and without
    // opening a closed dataset, which then has no rows) and shows it in the print preview of the dialog
    // service, from which the user prints. Returns when the preview is closed.
    void preview(const QString &caption) const;

    // The pages of placed items, as they would print now. Items refer to this report's controls.
    Document layOut() const;
    // Lays out and paints every page onto a printer or PDF writer whose page the caller has set to
    // pageLayout(); false when the device could not be painted on (a file that cannot be written).
    bool paint(QPagedPaintDevice &device) const;
    // Writes the report as a PDF file; false when the file cannot be written.
    bool writePdf(const QString &path) const;
    // The paper, portrait, without printer margins: the layout's own margins are part of the page.
    QPageLayout pageLayout() const;

    const Layout &layout() const { return layout_; }
    db::Query *dataset() const { return dataset_; }

private:
    Control &control(const QString &name);
    const Control &control(const QString &name) const;
    Run *run(const QString &name);
    const Run *run(const QString &name) const;

    Layout layout_;
    db::Query *dataset_;
    Control frame_;                          // the page frame, drawn along the margins
    QHash<QString, Control *> controls_;     // by name
    QHash<QString, Run *> runs_;             // named runs of paragraphs
};

} // namespace report
