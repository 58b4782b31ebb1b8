#include "persian/MonEdit.h"

#include "persian/amount.h"
#include "db/error.h"
#include "persian/filtered_edit.h"
#include "persian/persian_text.h"

namespace {

constexpr qsizetype maxDigits = 18; // every 18-digit number fits a qint64

QString digitsOf(QStringView s)
{
    QString out;
    for (QChar c : s)
        if (c >= u'0' && c <= u'9')
            out += c;
    return out;
}

} // namespace

TMonEdit::TMonEdit(QWidget *parent) : QLineEdit(parent)
{
    resize(100, 50);
    connect(this, &QLineEdit::textChanged, this, &TMonEdit::MonEditFormatOnChange);
}

void TMonEdit::MonEditFormatOnChange()
{
    edits::showFiltered(*this, MonEditFormat(text()));
}

QString TMonEdit::MonEditFormat(const QString &s)
{
    if (s == lastFormatted_ || s.isEmpty())
        return s;
    // What would change the amount if it were dropped stays, so that the amount is refused when read rather
    // than silently changed: a minus (shown in front), and a decimal point with the digits after it.
    const QString typed = text::latinNumber(s);
    const qsizetype point = typed.indexOf(u'.');
    QString shown = typed.contains(u'-') ? QStringLiteral("-") : QString();
    shown += amount::DIGITS(digitsOf(QStringView(typed).left(point < 0 ? typed.size() : point)));
    if (point >= 0)
        shown += u'.' + digitsOf(QStringView(typed).mid(point + 1));
    lastFormatted_ = shown;
    return lastFormatted_;
}

QString TMonEdit::MonEditDigitsOnly(const QString &s, qsizetype length)
{
    if (s.isEmpty())
        return QStringLiteral("0");
    return digitsOf(QStringView(s).left(length));
}

QString TMonEdit::MonEditInsertChar(const QString &s, qsizetype length, QChar c, qsizetype p)
{
    const QStringView view = QStringView(s).left(length);
    const qsizetype at = qBound(qsizetype(0), p - 1, view.size());
    return view.left(at) + c + view.mid(at);
}

std::optional<qint64> TMonEdit::amount() const
{
    const QString current = text::latinNumber(text());
    if (current.contains(u'-') || current.contains(u'.'))
        return std::nullopt;
    QString digits = MonEditDigitsOnly(current, current.size());
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    if (digits.isEmpty())
        return 0;
    if (digits.size() > maxDigits)
        return std::nullopt;
    return digits.toLongLong();
}

qint64 TMonEdit::MonEditGetValue() const
{
    const std::optional<qint64> value = amount();
    if (!value && (text().contains(u'-') || text().contains(u'.')))
        throw db::Error(QStringLiteral("مبلغ وارد شده درست نيست: ") + text());
    if (!value)
        throw db::Error(QStringLiteral("مبلغ وارد شده بيش از %1 رقم دارد").arg(maxDigits));
    return *value;
}

// The meta-object code stays in this file, so a program that uses the control links only what it needs.
#include "moc_MonEdit.cpp"
