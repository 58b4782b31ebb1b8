#pragma once
// The checks an entry form runs on its number fields before it writes anything: a refusal names the field.
#include <QString>
#include <optional>

namespace fields {

// The largest whole amount a money column holds (SQL Server's money, in whole rials).
inline constexpr qint64 maxRials = 922'337'203'685'477;

// A whole number typed into a field (Persian digits too, blanks around it allowed) within 32 bits;
// nullopt for an empty text, another character, or a number out of range.
std::optional<int> wholeNumber(const QString &text);
// A whole amount of rials: digits only (Persian digits too, blanks around them allowed; no thousands
// separator, sign or decimal point) and no more than maxRials; nullopt otherwise. An empty text is nullopt.
std::optional<qint64> rials(const QString &text);

// The message shown when a field's value is refused: it names the field by its caption.
QString refusalText(const QString &caption);

} // namespace fields
