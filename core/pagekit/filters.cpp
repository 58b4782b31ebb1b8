#include "pagekit/filters.h"
#include "pagekit/date_check.h"
#include "pagekit/field_check.h"
#include "persian/MonEdit.h"
#include "persian/persian_text.h"
#include "schema/column_sizes.h"
#include "ui/click_label.h"
#include "ui/control_text.h"
#include "ui/date_edit.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace pagekit {

namespace {

// The widest text of a number column (a 64-bit integer with its sign).
constexpr int numberWidth = 20;

bool isOn(const QList<QWidget *> &controls)
{
    return !controls.isEmpty() && controls.first()->isEnabled();
}

// The switch's own effect on its controls: a check box switches them by its tick (yellow, focus), a caption
// inverts them (green caption).
void toggle(QWidget *switcher, const QList<QWidget *> &controls, bool focusFirst)
{
    if (auto *box = qobject_cast<QCheckBox *>(switcher))
        listpage::ToggleFilterColour(box, controls, focusFirst);
    else if (auto *caption = qobject_cast<QLabel *>(switcher))
        listpage::ToggleCaptionFilter(caption, controls);
}

// The clicked signal of either kind of switch.
void onSwitch(QWidget *switcher, const std::function<void()> &handler)
{
    if (auto *box = qobject_cast<QCheckBox *>(switcher))
        ui::connectGuarded(box, &QCheckBox::clicked, box, handler);
    else if (auto *label = qobject_cast<ClickLabel *>(switcher))
        ui::connectGuarded(label, &ClickLabel::clicked, label, handler);
    else
        Q_ASSERT_X(false, "FilterTable", "a filter's switch is a check box or a clickable caption");
}

} // namespace

FilterTable &FilterTable::add(Filter filter)
{
    Q_ASSERT(!filter.controls.isEmpty());
    listpage::resetFilter(filter.controls);
    const QWidget *switcher = filter.switcher;
    filters_.push_back(std::move(filter));
    const size_t index = filters_.size() - 1;
    onSwitch(const_cast<QWidget *>(switcher), [this, index] {
        const Filter &f = filters_[index];
        if (f.toggled)
            f.toggled();
        else
            toggle(f.switcher, f.controls, true);
    });
    return *this;
}

FilterTable &FilterTable::like(QWidget *switcher, QWidget *control, const QString &column,
                               std::function<QString(const QString &)> typed)
{
    return add({switcher, {control}, [this, switcher, control, column, typed](listpage::FilterLines &lines) {
                    QString text = text::storedText(ui::controlText(control));
                    if (typed)
                        text = typed(text);
                    lines.always(u" and "_s + column + u" like ?"_s,
                                 {QString(u'%' + fitting(column, text, switcher, control) + u'%')});
                }, {}});
}

FilterTable &FilterTable::equal(QWidget *switcher, QWidget *control, const QString &column,
                                std::function<QVariant()> value)
{
    return add({switcher, {control}, [this, switcher, control, column, value](listpage::FilterLines &lines) {
                    const QVariant searched = value ? value() : QVariant(text::storedText(ui::controlText(control)));
                    if (searched.typeId() == QMetaType::QString)
                        fitting(column, searched.toString(), switcher, control);
                    lines.always(u" and "_s + column + u"=?"_s, {searched});
                }, {}});
}

FilterTable &FilterTable::amount(QWidget *switcher, TMonEdit *control, const QString &column)
{
    return equal(switcher, control, column,
                 [switcher, control] { return QVariant(filterAmount(control, filterCaption(switcher))); });
}

FilterTable &FilterTable::range(QWidget *switcher, QWidget *from, QWidget *to, const QString &column)
{
    return add({switcher, {from, to}, [this, switcher, from, to, column](listpage::FilterLines &lines) {
                    // A date bound must be a whole date: a half-typed one would compare as text and quietly
                    // select the wrong rows.
                    QVariantList bounds;
                    for (QWidget *bound : {from, to}) {
                        if (qobject_cast<TMaskedDateEdit *>(bound))
                            checkDate(bound, filterCaption(switcher), false);
                        bounds << fitting(column, text::storedText(ui::controlText(bound)), switcher, bound);
                    }
                    lines.always(u" and "_s + column + u">=? and "_s + column + u"<=?"_s, bounds);
                }, {}});
}

FilterTable &FilterTable::valueList(QWidget *switcher, const ValueListControls &c, const QString &column,
                                    bool wholeNumbers)
{
    c.list->hide();
    ui::connectGuarded(c.add, &QAbstractButton::clicked, c.add,
                       [c] { c.list->addItem(text::storedText(ui::controlText(c.edit))); });
    ui::connectGuarded(c.show, &QCheckBox::clicked, c.show, [c] { c.list->setVisible(c.show->isChecked()); });
    add({switcher, {c.edit}, [this, switcher, c, column, wholeNumbers](listpage::FilterLines &lines) {
             // Only the listed values are searched, never the text standing in the edit; an empty list
             // matches no row.
             if (c.list->count() == 0) {
                 lines.always(u" and 1=0"_s);
                 return;
             }
             QStringList marks;
             QVariantList values;
             for (int i = 0; i < c.list->count(); ++i) {
                 const QString item = fitting(column, c.list->item(i)->text(), switcher, c.edit);
                 if (wholeNumbers) {
                     const std::optional<int> number = fields::wholeNumber(item);
                     if (!number)
                         throw ui::Refusal(fields::refusalText(filterCaption(switcher)), c.edit);
                     values << *number;
                 } else {
                     values << item;
                 }
                 marks << u"?"_s;
             }
             lines.always(u" and "_s + column + u" in ("_s + marks.join(u", "_s) + u")"_s, values);
         },
         [switcher, c] {
             toggle(switcher, {c.edit}, false);
             for (QWidget *follower : {static_cast<QWidget *>(c.add), static_cast<QWidget *>(c.show)})
                 follower->setEnabled(c.edit->isEnabled());
             c.list->hide();
             c.list->clear();
         }});
    c.add->setEnabled(false);
    c.show->setEnabled(false);
    return *this;
}

FilterTable &FilterTable::custom(QWidget *switcher, const QList<QWidget *> &controls,
                                 std::function<void(listpage::FilterLines &)> addLines)
{
    return add({switcher, controls, std::move(addLines), {}});
}

FilterTable &FilterTable::startOn()
{
    Q_ASSERT(!filters_.empty());
    const Filter &filter = filters_.back();
    // As a click of its switch would leave it, the focus aside.
    if (auto *box = qobject_cast<QCheckBox *>(filter.switcher)) {
        box->setChecked(true);
        listpage::ToggleFilterColour(box, filter.controls, false);
    } else if (auto *caption = qobject_cast<QLabel *>(filter.switcher)) {
        listpage::ToggleCaptionFilter(caption, filter.controls);
    }
    return *this;
}

listpage::FilterLines FilterTable::lines(listpage::FilterLines lines) const
{
    for (const Filter &filter : filters_)
        if (isOn(filter.controls))
            filter.addLines(lines);
    return lines;
}

QString FilterTable::fitting(const QString &column, const QString &text, const QWidget *switcher,
                             QWidget *control) const
{
    return fittingFilterText(table_, column, text, filterCaption(switcher), control);
}

QString filterCaption(const QWidget *switcher)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(switcher))
        return button->text();
    if (auto *label = qobject_cast<const QLabel *>(switcher))
        return label->text();
    return {};
}

QString fittingFilterText(const QString &table, const QString &column, const QString &text, const QString &caption,
                          QWidget *control)
{
    const int size = schemaColumnSize(table, column);
    if (text.size() > (size > 0 ? size : numberWidth))
        throw ui::Refusal(fields::refusalText(caption), control);
    return text;
}

qint64 filterAmount(TMonEdit *control, const QString &caption)
{
    const std::optional<qint64> value = control->amount();
    if (!value)
        throw ui::Refusal(fields::refusalText(caption), control);
    return *value;
}

} // namespace pagekit
