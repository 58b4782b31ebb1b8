#include "pagekit/listpage.h"
#include "persian/persian_text.h"
#include "persian/amount.h"
#include "db/querymodel.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace listpage {

namespace {

// A switched-on filter's background: red and green full.
constexpr QColor filterOnColour{0xFF, 0xFF, 0x00};
constexpr QColor captionOnColour{0x00, 0x80, 0x00};

// Edits paint their background with Base, combo boxes without typing with Button, other widgets with Window;
// all three are set so every kind of filter control shows the colour.
constexpr QPalette::ColorRole backgroundRoles[] = {QPalette::Base, QPalette::Button, QPalette::Window};

void paintBackground(QWidget *control, bool on)
{
    const QPalette system = QApplication::palette(control);
    QPalette palette = control->palette();
    for (QPalette::ColorRole role : backgroundRoles) {
        if (on)
            palette.setBrush(role, filterOnColour);
        else
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                palette.setBrush(group, role, system.brush(group, role));
    }
    control->setPalette(palette);
}

void switchControls(const QList<QWidget *> &controls, bool on)
{
    for (QWidget *control : controls) {
        control->setEnabled(on);
        paintBackground(control, on);
    }
}

} // namespace

void ToggleFilterColour(QCheckBox *box, const QList<QWidget *> &controls, bool focusFirst)
{
    const bool on = box->isChecked();
    switchControls(controls, on);
    if (on && focusFirst && !controls.isEmpty())
        controls.first()->setFocus(Qt::OtherFocusReason);
}

void ToggleCaptionFilter(QLabel *caption, const QList<QWidget *> &controls)
{
    if (controls.isEmpty())
        return;
    // The controls of a range move together, following the first.
    const bool on = !controls.first()->isEnabled();
    for (QWidget *control : controls)
        control->setEnabled(on);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, on ? captionOnColour : QColor(Qt::black));
    caption->setPalette(palette);
}

void resetFilter(const QList<QWidget *> &controls)
{
    switchControls(controls, false);
}

FilterLines &FilterLines::always(const QString &line, const QVariantList &values)
{
    lines_.append({line, values});
    return *this;
}

void FilterLines::addTo(db::Query &query) const
{
    for (const Line &line : lines_)
        query.add(line.text, line.values);
}

void SortGridByTitle(db::QueryModel &model, int column)
{
    const QString field = model.fieldOfColumn(column);
    if (field.isEmpty())
        return;
    model.setBoldColumn(column);

    // The sort text is "<field> ASC" or "<field> DESC"; only the same field sorted ascending turns descending.
    const QStringList current = model.query().sort().split(u' ', Qt::SkipEmptyParts);
    const bool sameField = !current.isEmpty() && current.first().compare(field, Qt::CaseInsensitive) == 0;
    const bool descending = current.size() > 1 && current.at(1).compare(u"DESC"_s, Qt::CaseInsensitive) == 0;
    model.query().setSort(field + (sameField && !descending ? u" DESC"_s : u" ASC"_s));
}

void showEntryForm(QWidget *form, QWidget *insertButton, QWidget *editButton, bool inserting)
{
    insertButton->setVisible(inserting);
    editButton->setVisible(!inserting);
    ui::dialogs().showModal(form);
}

bool confirmDelete()
{
    return ui::confirmWarning(u"آيا از حذف مطمئن هستيد؟"_s);
}

QString groupedTotal(const QString &text)
{
    QStringView rest = QStringView(text).trimmed();
    const bool negative = rest.startsWith(u'-');
    if (negative)
        rest = rest.mid(1);
    const qsizetype point = rest.indexOf(u'.');
    if (point >= 0)
        rest = rest.left(point);
    QString digits;
    digits.reserve(rest.size());
    for (QChar c : rest)
        if (c >= u'0' && c <= u'9')
            digits += c;
    return (negative ? u"-"_s : QString()) + amount::DIGITS(digits);
}

void ColumnSumToLabel(QLabel *label, db::Query &list)
{
    list.finishTotals();
    label->setText(groupedTotal(label->text()));
}

} // namespace listpage
