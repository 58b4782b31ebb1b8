#pragma once
// The invoice register's second workbook: the list's rows from the first, one cell per field and no header
// row, on the sheet "List of Accounts"; every column in purple 10 pt, the first row navy 16 pt and the second
// blue 12 pt in "Arabic Transparent" (A2 to H2 centred), each column as wide as its contents.
#include <QString>

namespace db {
class Query;
}

namespace invoices {

// Writes the workbook beside the target and moves it over the target only when it is complete, so an earlier
// file is never left half-written. The list's current row stays. Throws db::Error when it cannot be written.
void saveAccountsWorkbook(const db::Query &list, const QString &path);

} // namespace invoices
