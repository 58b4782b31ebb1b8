#include "persian/RealEdit.h"

#include "db/decimal_text.h"
#include "db/error.h"
#include "persian/filtered_edit.h"
#include "persian/persian_text.h"

#include <QKeyEvent>
#include <QLocale>
#include <cmath>

TRealEdit::TRealEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(100, 50);
    connect(this, &QLineEdit::textChanged, this, &TRealEdit::RealEditFormatOnChange);
}

void TRealEdit::RealEditFormatOnChange()
{
    const QString typed = text::latinNumber(text());
    const std::optional<double> value =
        typed.contains(u'e', Qt::CaseInsensitive) ? number(typed) : std::optional<double>();
    edits::showFiltered(*this, value ? db::decimalText(*value) : typed);
}

void TRealEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.front().isPrint()) {
        QLineEdit::keyPressEvent(event); // editing keys and shortcuts (a paste is checked when read)
        return;
    }
    if (const QString kept = RealEditFilter(typed); kept != typed) {
        if (!kept.isEmpty())
            insert(kept);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString TRealEdit::RealEditFilter(const QString &s)
{
    QString out;
    for (QChar c : text::latinNumber(s))
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u'-')
            out += c;
    return out;
}

std::optional<double> TRealEdit::number(const QString &text)
{
    // "1,250" may mean 1250 or 1.25: a comma makes no number here.
    static const QLocale reader = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    bool ok = false;
    const double value = reader.toDouble(text::latinNumber(text).trimmed(), &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

double TRealEdit::RealEditGetValue() const
{
    if (text().isEmpty())
        return 0.0;
    const std::optional<double> value = number(text());
    if (!value)
        throw db::Error(QStringLiteral("عدد وارد شده معتبر نيست: ") + text());
    return *value;
}

// The meta-object code stays in this file, so a program that uses the control links only what it needs.
#include "moc_RealEdit.cpp"
