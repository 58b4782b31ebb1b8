#pragma once
// The invoice register's second workbook: the list's rows from the first, one cell per field and no header
// row, on the sheet "List of Accounts"; every column in purple 10 pt, the first row navy 16 pt and the second
// blue 12 pt in "Arabic Transparent" (A2 to H2 centred), each column as wide as its contents.
#include <QString>

namespace db {
class Query;
}

namespace invoices {

// Writes the workbook under a busy cursor and, for a long list, a progress window; a list still being read is
// written as its rows are read. The target is replaced only by a complete workbook. The list's current row
// stays. False when the user cancelled: nothing is written. Throws db::Error when it cannot be written.
bool saveAccountsWorkbook(db::Query &list, const QString &path);

} // namespace invoices
