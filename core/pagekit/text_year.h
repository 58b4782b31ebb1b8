#pragma once
// A year field checked as four digits (Kind::Year) yields a number. Where the table keeps the year as text
// (`darkhast.sal`, `estelam.sal`), the value is written and compared as that text: SQL Server compares a text
// column with a number by converting every row's text, and an older row's blank year would end the statement.
#include "pagekit/entry_fields.h"

namespace pagekit {

// The values with the year column's number turned into its text (a null stays null).
Values yearAsText(Values values, const QString &column = QStringLiteral("sal"));

} // namespace pagekit
