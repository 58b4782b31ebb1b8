#include "ui/date_edit.h"
#include "persian/persian_text.h"
#include <algorithm>

namespace {

constexpr QChar maskBlank = u'_';

} // namespace

TMaskedEdit::TMaskedEdit(const QString &mask, QWidget *parent) : QLineEdit(parent)
{
    setInputMask(mask + u';' + maskBlank);
    // Digits read left to right even where the form runs right to left.
    setLayoutDirection(Qt::LeftToRight);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &TMaskedEdit::keepLatinDigits);
}

QString TMaskedEdit::storedText() const
{
    QString shown = displayText();
    shown.replace(maskBlank, u' ');
    return shown;
}

void TMaskedEdit::setStoredText(const QString &text)
{
    // The mask takes a typed digit at each position; a blank in the stored text is a position left empty.
    QString typed = text::latinDigits(text);
    typed.replace(u' ', maskBlank);
    const bool anyDigit = std::any_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isDigit(); });
    if (!anyDigit)
        clear();
    else
        setText(typed);
}

bool TMaskedEdit::isBlank() const
{
    for (QChar c : displayText())
        if (c.isDigit())
            return false;
    return true;
}

void TMaskedEdit::keepLatinDigits()
{
    const QString current = text();
    const QString latin = text::latinDigits(current);
    if (latin == current)
        return;
    const int caret = cursorPosition();
    setText(latin);
    setCursorPosition(caret);
}

TMaskedDateEdit::TMaskedDateEdit(QWidget *parent) : TMaskedEdit(QStringLiteral("9999/99/99"), parent) {}

TMaskedYearEdit::TMaskedYearEdit(QWidget *parent) : TMaskedEdit(QStringLiteral("9999"), parent) {}

#include "moc_date_edit.cpp"
