#include "persian/RealEdit.h"

#include "db/error.h"
#include "persian/filtered_edit.h"
#include "persian/persian_text.h"

#include <QLocale>

TRealEdit::TRealEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(100, 50);
    connect(this, &QLineEdit::textChanged, this, &TRealEdit::RealEditFormatOnChange);
}

void TRealEdit::RealEditFormatOnChange()
{
    edits::showFiltered(*this, RealEditFilter(text()));
}

QString TRealEdit::RealEditFilter(const QString &s)
{
    QString out;
    for (QChar c : text::latinDigits(s))
        if ((c >= u'0' && c <= u'9') || c == u'.')
            out += c;
    return out;
}

double TRealEdit::RealEditGetValue() const
{
    const QString current = RealEditFilter(text());
    if (current.isEmpty())
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(current, &ok);
    if (!ok)
        throw db::Error(QStringLiteral("عدد وارد شده معتبر نيست: ") + text());
    return value;
}

// The meta-object code stays in this file, so a program that uses the control links only what it needs.
#include "moc_RealEdit.cpp"
