#pragma once
// A list page's filters declared as a table. Each filter has a switch (a check box, or a clickable caption on
// the invoice register), the controls it switches, and the lines it adds to the search while it is on (its
// first control enabled). The table wires every switch once, starts every filter off (unless declared on),
// and builds the search's lines in the order the filters were declared.
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
    FilterTable() = default;
    FilterTable(const FilterTable &) = delete;
    FilterTable &operator=(const FilterTable &) = delete;

    // A switch is a QCheckBox (ToggleFilterColour: yellow and focus) or a clickable caption label
    // (ToggleCaptionFilter: green caption). Each adder returns the table for chaining.

    // " and <column> like ?" with "%" + the control's stored text + "%".
    FilterTable &like(QWidget *switcher, QWidget *control, const QString &column);
    // " and <column>=?" with value() (default: the control's stored text).
    FilterTable &equal(QWidget *switcher, QWidget *control, const QString &column,
                       std::function<QVariant()> value = {});
    // " and <column>>=? and <column><=?", both bounds inclusive. Solar-date bounds are checked first: a bound
    // that is not a complete valid date is refused by the caption's name and no search runs.
    FilterTable &range(QWidget *switcher, QWidget *from, QWidget *to, const QString &column,
                       const QString &caption);
    // " and <column> in (?, ?, ...)" with every item of the list, bound; an empty list matches no row.
    // wholeNumbers: an item that is no whole number is refused, naming the caption.
    FilterTable &valueList(QWidget *switcher, const ValueListControls &controls, const QString &column,
                           const QString &caption = QString(), bool wholeNumbers = false);
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
    std::vector<Filter> filters_;
};

} // namespace pagekit
