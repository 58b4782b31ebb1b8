#pragma once
// Numbers as the register shows them: plain decimals, never an exponent ("1e-10" reads "0.0000000001").
#include <QString>

namespace db {

// The value to 15 significant digits (what a double surely keeps), "." as the decimal point, no trailing
// zeros, no exponent; a whole value has no point. Infinity and NaN, which no column keeps, read as Qt writes them.
QString decimalText(double value);

} // namespace db
