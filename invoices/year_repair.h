#pragma once
// Dates typed with a two-digit year ("93/05/01") given their century ("1393/05/01").
#include <QString>

namespace invoices {

// Whether the answer to the century question is exactly two digits (Persian digits read as 0-9).
bool isCentury(const QString &answer);

// Prefixes the century to every `chek_dat` of exactly the form "dd/dd/dd", in one write transaction: every
// such date or none. Returns how many were repaired.
int repairTwoDigitYears(const QString &century);

} // namespace invoices
