#pragma once
// A year field checked as four digits (Kind::Year) yields a number, and an emptied one nothing. Where the table
// keeps the year as text (`darkhast.sal`, `estelam.sal`, `chek.salemali`), the value is written and compared as
// the field shows it: the four digits, or an emptied year as four blanks, as the register has always stored
// it. So a repeat check matches an emptied year like any other (a null would match no row), and SQL Server
// never compares the text column with a number, which converts every row's text and ends the statement at
// an older row's blank year.
#include "pagekit/entry_fields.h"

namespace pagekit {

inline const QString untouchedYear = QStringLiteral("    ");

// The values with the year column's number turned into its text, an emptied year into four blanks.
Values yearAsText(Values values, const QString &column = QStringLiteral("sal"));

} // namespace pagekit
