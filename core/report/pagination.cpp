// Laying a report out into pages: every band placed for its row, wrapped texts growing their band, bands
// that do not fit moved to the next page under a repeated page header and column header.
#include "db/query.h"
#include "report/fonts.h"
#include "report/report.h"
#include "report/text.h"
#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace report {

namespace {

constexpr double epsilonMm = 0.001;

// One band ready to be placed for any row: its controls' text styles and dataset columns.
class BandPlacer {
public:
    BandPlacer(const Layout &layout, BandType type, const db::Query *dataset, bool hasRows)
        : band_(layout.band(type)), type_(type), dataset_(dataset)
    {
        styles_.reserve(band_.controls.size());
        columns_.reserve(band_.controls.size());
        for (const Control &control : band_.controls) {
            styles_.append(TextStyle(control, layout.font));
            int column = -1;
            if (control.kind == Kind::Field && dataset && hasRows) {
                column = dataset->fieldIndex(control.text);
                if (column < 0)
                    throw std::logic_error("report field not in its dataset: " + control.text.toStdString());
            }
            columns_.append(column);
        }
    }

    bool exists() const { return band_.exists(); }

    // Places the band's items for the row with the band's top at 0; returns the band's height.
    double place(int row, QVector<Item> &items) const
    {
        items.clear();
        grown_.clear();
        for (qsizetype i = 0; i < band_.controls.size(); ++i) {
            const Control &control = band_.controls[i];
            if (!control.visible || (control.isShape() && control.pen == Pen::Clear)
                || (control.kind == Kind::Image && control.picture.isNull()))
                continue;
            Item item{&control, type_, control.box, QString(), {}, row, 1};
            fillText(control, row, columns_[i], item);
            const TextStyle &style = styles_[i];
            if (style.wraps && !item.text.isEmpty()) {
                item.lines = lineCount(style, item.text, item.spans, control.box.width() * dotsPerMm);
                const double growth = linesHeightMm(style, item.lines) - control.box.height();
                if (growth > epsilonMm)
                    grown_.append({items.size(), growth});
            }
            items.append(std::move(item));
        }
        return grown_.isEmpty() ? band_.height : grow(items);
    }

private:
    struct Growth {
        qsizetype item;
        double by;
    };

    void fillText(const Control &control, int row, int column, Item &item) const
    {
        switch (control.kind) {
        case Kind::Label: item.text = control.text; break;
        case Kind::Field: item.text = column >= 0 && row >= 0 ? dataset_->textAt(row, column) : QString(); break;
        case Kind::RowNumber: item.text = type_ == BandType::Detail ? QString::number(row + 1) : QString(); break;
        case Kind::Paragraph:
            for (const Run &run : control.runs) {
                if (!run.visible || run.text.isEmpty())
                    continue;
                item.spans.append({int(item.text.size()), int(run.text.size()), run.bold, run.underline, !run.name.isEmpty()});
                item.text += run.text;
            }
            break;
        default: break;
        }
    }

    // Grown texts push down what lies below them, and the band grows by what its lowest content grew;
    // frames and rules marked to grow follow the band's new height.
    double grow(QVector<Item> &items) const
    {
        QVector<double> shift(items.size(), 0.0);
        QVector<double> extra(items.size(), 0.0);
        for (const Growth &g : grown_)
            extra[g.item] = g.by;
        // Items from the top down, so a shift has reached an item before it passes it on.
        QVector<qsizetype> order(items.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](qsizetype a, qsizetype b) { return items[a].box.top() < items[b].box.top(); });
        for (qsizetype j : order)
            for (const Growth &g : grown_)
                if (g.item != j && items[g.item].box.bottom() <= items[j].box.top() + epsilonMm)
                    shift[j] = std::max(shift[j], shift[g.item] + g.by);

        double lowestBefore = 0, lowestAfter = 0;
        for (qsizetype j = 0; j < items.size(); ++j) {
            if (items[j].control->grows)
                continue;
            lowestBefore = std::max(lowestBefore, items[j].box.bottom());
            items[j].box.translate(0, shift[j]);
            items[j].box.setHeight(items[j].box.height() + extra[j]);
            lowestAfter = std::max(lowestAfter, items[j].box.bottom());
        }
        const double growth = std::max(0.0, lowestAfter - lowestBefore);
        for (Item &item : items)
            if (item.control->grows)
                item.box.setHeight(item.box.height() + growth);
        return band_.height + growth;
    }

    const Band &band_;
    BandType type_;
    const db::Query *dataset_;
    QVector<TextStyle> styles_;
    QVector<int> columns_;
    mutable QVector<Growth> grown_;
};

void appendAt(Page &page, const QVector<Item> &items, double left, double top)
{
    for (const Item &item : items) {
        page.items.append(item);
        page.items.last().box.translate(left, top);
    }
}

} // namespace

Document Report::layOut() const
{
    Document document;
    document.paper = paperSize(layout_.paper);
    const QMarginsF &margins = layout_.margins;

    // A closed dataset has no rows; opening it is the page's business, not the printout's.
    const int rows = dataset_ ? (dataset_->active() ? dataset_->recordCount() : 0) : 1;
    if (dataset_ && rows == 0 && !layout_.printIfEmpty)
        return document;

    const BandPlacer header(layout_, BandType::PageHeader, dataset_, rows > 0);
    const BandPlacer columns(layout_, BandType::ColumnHeader, dataset_, rows > 0);
    const BandPlacer detail(layout_, BandType::Detail, dataset_, rows > 0);
    const BandPlacer footer(layout_, BandType::PageFooter, dataset_, rows > 0);
    const BandPlacer summary(layout_, BandType::Summary, dataset_, rows > 0);

    // The bands that repeat on every page are placed once.
    QVector<Item> headerItems, columnItems, footerItems, items;
    const double headerHeight = header.exists() ? header.place(-1, headerItems) : 0;
    const double columnsHeight = columns.exists() ? columns.place(-1, columnItems) : 0;
    const double footerHeight = footer.exists() ? footer.place(-1, footerItems) : 0;
    const double bottom = document.paper.height() - margins.bottom();
    const double footerTop = bottom - footerHeight;

    Page page;
    double y = 0, bodyTop = 0;
    const auto startPage = [&] {
        page = Page();
        if (layout_.pageFrame) {
            page.items.append({&frame_, BandType::PageHeader, QRectF(margins.left(), margins.top(),
                               document.paper.width() - margins.left() - margins.right(),
                               document.paper.height() - margins.top() - margins.bottom()), {}, {}, -1, 1});
        }
        y = margins.top();
        appendAt(page, headerItems, margins.left(), y);
        y += headerHeight;
        appendAt(page, columnItems, margins.left(), y);
        y += columnsHeight;
        bodyTop = y;
    };
    const auto finishPage = [&] {
        appendAt(page, footerItems, margins.left(), footerTop);
        document.pages.append(std::move(page));
    };
    // A band that does not fit above the footer moves to a new page, unless the page has nothing else
    // below its headers (a band taller than a page then prints cut).
    const auto flow = [&](double height) {
        if (y + height > footerTop + epsilonMm && y > bodyTop + epsilonMm) {
            finishPage();
            startPage();
        }
        appendAt(page, items, margins.left(), y);
        y += height;
    };

    startPage();
    if (detail.exists())
        for (int row = 0; row < rows; ++row)
            flow(detail.place(dataset_ ? row : 0, items));
    if (summary.exists())
        flow(summary.place(-1, items));
    finishPage();
    return document;
}

} // namespace report
