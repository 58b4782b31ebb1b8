#pragma once
// What every list page shares: switchable filters, the search's filter lines, the grid's title-click sort,
// and the delete confirmation. A page names only its own filters, columns and messages.
#include "db/query.h"
#include <QString>
#include <QVariantList>
#include <QVector>
#include <QList>

class QCheckBox;
class QLabel;
class QTableView;
class QWidget;

namespace db {
class QueryModel;
}

namespace listpage {

// The filter switch of a check box: its controls are enabled when it is checked, painted yellow and the first
// takes the focus (unless focusFirst is false: value lists); unchecked, they return to the window colour.
// The controls' texts stay.
void ToggleFilterColour(QCheckBox *box, const QList<QWidget *> &controls, bool focusFirst = true);
// The caption-click variant: inverts the controls' enabled state; the caption turns green when they are on,
// black otherwise. Background and focus are left alone.
void ToggleCaptionFilter(QLabel *caption, const QList<QWidget *> &controls);
// Disables the controls and gives them the window colour again (a page is built with its filters off).
void resetFilter(const QList<QWidget *> &controls);

// The filter lines of one search, added alike to the count and the list statements. Every value is bound
// to a '?': a quote typed into a filter is searched for as itself, while "%" and "_" stay like wildcards.
// The filter table (pagekit/filters.h) writes the lines of the filters that are on.
class FilterLines {
public:
    // A line with its values (a filter's condition, a per-user rule).
    FilterLines &always(const QString &line, const QVariantList &values = {});

    void addTo(db::Query &query) const;
    bool isEmpty() const { return lines_.isEmpty(); }

private:
    struct Line {
        QString text;
        QVariantList values;
    };
    QVector<Line> lines_;
};

// Sorts the grid's rows on the client by the clicked column's field: ascending first, descending on the next
// click of the same field (the exact name: "mablagh" after "mablagh_kol" starts ascending), and bolds that
// column's title (the one clicked before loses its bold). No statement is sent. A column without a field
// does nothing.
void SortGridByTitle(db::QueryModel &model, int column);

// The new and edit commands' last step: the entry form shows only its insert button (inserting) or only its
// edit button, and is shown modally.
void showEntryForm(QWidget *form, QWidget *insertButton, QWidget *editButton, bool inserting);

// The delete confirmation "آيا از حذف مطمئن هستيد؟" (warning, Yes/No/Cancel): true on Yes only.
bool confirmDelete();

// The digits of a total label regrouped with "," in place ("1250000" -> "1,250,000"; a leading "-" kept,
// "," already there ignored, so a grouped total stays as it is). Totals are whole rials: a fraction a
// driver may add ("1250000.0000") is dropped. A total of the list still being counted is counted first.
void ColumnSumToLabel(QLabel *label, db::Query &list);
// The same grouping of a text.
QString groupedTotal(const QString &text);

} // namespace listpage
