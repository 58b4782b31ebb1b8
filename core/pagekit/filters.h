#pragma once
// A list page's filters declared as a table. Each filter has a switch (a check box, or a clickable caption on
// the invoice register), the controls it switches, and the lines it adds to the search while it is on (its
// first control enabled). The table wires every switch once, starts every filter off (unless declared on),
// and builds the search's lines in the order the filters were declared.
//
// A filter's text longer than its column holds (the table's column as the schema routine creates it), or an
// amount of more digits than the money edit takes, is refused before anything is searched: the refusal names
// the filter by its switch's caption and gives its field the focus. So no database's own words about a text
// it can't compare (SQLite's limit on a like pattern) ever reach the clerk.
#include "pagekit/listpage.h"
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QListWidget;
class QWidget;
class TMonEdit;

namespace pagekit {

// The controls of a value-list filter: the value typed, the "+" that adds it to the list, the small box that
// shows the list, and the list itself (hidden until shown).
struct ValueListControls {
    QWidget *edit;
    QAbstractButton *add;
    QCheckBox *show;
    QListWidget *list;
};

class FilterTable {
public:
    // table: the table the page lists, whose columns bound the filters' texts.
    explicit FilterTable(QString table) : table_(std::move(table)) {}
    FilterTable(const FilterTable &) = delete;
    FilterTable &operator=(const FilterTable &) = delete;

    // A switch is a QCheckBox (ToggleFilterColour: yellow and focus) or a clickable caption label
    // (ToggleCaptionFilter: green caption). Each adder returns the table for chaining.

    // " and <column> like ?" with "%" + the control's stored text + "%"; typed, when given, turns the stored
    // text into the one searched (the invoice register's kaf).
    FilterTable &like(QWidget *switcher, QWidget *control, const QString &column,
                      std::function<QString(const QString &)> typed = {});
    // " and <column>=?" with value() (default: the control's stored text).
    FilterTable &equal(QWidget *switcher, QWidget *control, const QString &column,
                       std::function<QVariant()> value = {});
    // " and <column>=?" with the amount of a money edit.
    FilterTable &amount(QWidget *switcher, TMonEdit *control, const QString &column);
    // " and <column>>=? and <column><=?", both bounds inclusive. Solar-date bounds are checked first: a bound
    // that is not a complete valid date is refused by the caption's name and no search runs.
    FilterTable &range(QWidget *switcher, QWidget *from, QWidget *to, const QString &column);
    // " and <column> in (?, ?, ...)" with every item of the list, bound; an empty list matches no row.
    // wholeNumbers: an item that is no whole number is refused, naming the caption.
    FilterTable &valueList(QWidget *switcher, const ValueListControls &controls, const QString &column,
                           bool wholeNumbers = false);
    // A filter whose lines the page writes itself (an operator box, a hidden value): addLines runs while
    // the first control is on.
    FilterTable &custom(QWidget *switcher, const QList<QWidget *> &controls,
                        std::function<void(listpage::FilterLines &)> addLines);

    // Declares the last filter added on from the start (its controls enabled, unpainted), as a page whose
    // layout enables one filter (the invoice register's fiscal year).
    FilterTable &startOn();

    // The lines of every filter that is on, in declaration order, after `lines` already holds (a per-user
    // rule). Throws ui::Refusal for a bound or item the filter refuses.
    listpage::FilterLines lines(listpage::FilterLines lines = {}) const;

private:
    struct Filter {
        QWidget *switcher;
        QList<QWidget *> controls;
        std::function<void(listpage::FilterLines &)> addLines;
        std::function<void()> toggled; // the page-specific part of a switch (value lists)
    };
    FilterTable &add(Filter filter);
    QString fitting(const QString &column, const QString &text, const QWidget *switcher, QWidget *control) const;
    QString table_;
    std::vector<Filter> filters_;
};

// The caption that names a filter: its switch's text.
QString filterCaption(const QWidget *switcher);
// A filter's text as searched; refused (ui::Refusal naming the caption, on the control) when it is longer
// than the table's column holds. A column of no declared size holds numbers, none wider than 20 characters.
QString fittingFilterText(const QString &table, const QString &column, const QString &text, const QString &caption,
                          QWidget *control);
// The amount of a money filter; more digits than the edit takes are refused, naming the caption.
qint64 filterAmount(TMonEdit *control, const QString &caption);

} // namespace pagekit
