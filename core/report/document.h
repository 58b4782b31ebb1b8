#pragma once
// A report laid out: pages of placed items, each item what one control prints at one place. Laying out and
// painting are separate steps, so the pages can be counted and searched without a printer.
#include "report/layout.h"
#include <QRectF>
#include <QString>
#include <QVector>

namespace report {

// A run of a paragraph's text: its look, and whether it is a filled value, which reads in its own direction
// whatever surrounds it (an account number "0101-22-334455" after Persian words stays as typed).
struct Span {
    int start = 0;
    int length = 0;
    bool bold = false;
    bool underline = false;
    bool value = false;
};

struct Item {
    const Control *control = nullptr; // its declaration (name, kind, font, alignment); the page frame has its own
    BandType band = BandType::PageHeader;
    QRectF box;                       // millimetres from the paper's top left corner
    QString text;                     // what a text or paragraph prints
    QVector<Span> spans;              // a paragraph's bold and underlined runs
    int row = -1;                     // a detail item: the dataset's row (0-based, in the grid's order)
    int lines = 1;                    // lines of text as laid out

    const QString &name() const { return control->name; }
};

struct Page {
    QVector<Item> items;
};

struct Document {
    QSizeF paper;  // millimetres
    QVector<Page> pages;

    // Items by control name on one page, in the order placed.
    QVector<const Item *> find(int page, const QString &name) const;
};

} // namespace report
