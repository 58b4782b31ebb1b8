#include "persian/RealEdit.h"

#include "db/error.h"
#include "persian/filtered_edit.h"
#include "persian/persian_text.h"

#include <QLocale>
#include <cmath>

TRealEdit::TRealEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(100, 50);
    connect(this, &QLineEdit::textChanged, this, &TRealEdit::RealEditFormatOnChange);
}

namespace {

// A number written with an exponent, as a stored quantity may read ("1e-10"), in plain decimals
// ("0.0000000001"); any other text as it is.
QString withoutExponent(const QString &text)
{
    if (!text.contains(u'e', Qt::CaseInsensitive))
        return text;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? QString::number(value, 'f', QLocale::FloatingPointShortest) : text;
}

} // namespace

void TRealEdit::RealEditFormatOnChange()
{
    edits::showFiltered(*this, RealEditFilter(withoutExponent(text())));
}

QString TRealEdit::RealEditFilter(const QString &s)
{
    QString out;
    for (QChar c : text::latinDigits(s))
        if ((c >= u'0' && c <= u'9') || c == u'.' || c == u'-')
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
