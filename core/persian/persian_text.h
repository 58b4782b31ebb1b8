#pragma once
// Text typed on a Persian keyboard, turned into the form the register has always stored.
#include <QString>
#include <QStringList>

namespace text {

// Persian (U+06F0..U+06F9) and Arabic-Indic (U+0660..U+0669) digits become 0-9; every other character stays.
QString latinDigits(const QString &s);

// The stored form of a typed text: the Persian yeh "ی" (U+06CC) becomes the Arabic yeh "ي" (U+064A), and the
// digits are those of latinDigits.
QString storedText(const QString &s);

// Whether the text holds a control character (a tab, a line break, NUL...), which no typed value may hold.
bool hasControlCharacter(const QString &s);

// A number typed on a Persian keyboard in the form the number fields read: the digits of latinDigits, the
// Arabic decimal separator "٫" (U+066B) as ".", the Arabic thousands separator "٬" (U+066C) as ",".
QString latinNumber(const QString &s);

// True when the text shows nothing: it holds only blanks and characters Unicode marks default-ignorable (the
// zero-width non-joiner a Persian keyboard types, direction marks, variation selectors, the Hangul fillers and
// the like), or nothing at all.
bool isBlank(const QString &s);

// Alphabetical order as a Persian reader expects it (the letters Persian adds to Arabic in their places):
// negative, zero or positive as a comes before, with or after b.
int comparePersian(const QString &a, const QString &b);
// The texts in that order; equal texts keep their order.
void sortPersian(QStringList &texts);

} // namespace text
