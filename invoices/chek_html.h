#pragma once
// The invoice register's HTML report: a right-to-left table of the list's rows, numbered, one column per
// field, as the spreadsheet program and a browser both open it. UTF-8 with a byte-order mark and a declared
// charset; every stored text escaped; lines ended by CR LF.
#include <QString>

class QIODevice;

namespace db {
class Query;
}

namespace invoices {

// Writes the report of every row of the list, in the grid's order, to the device. The current row stays.
void writeHtmlReport(const db::Query &list, QIODevice &device);
// Writes the report to the file; an earlier file of that name is replaced only by a complete report.
// Throws db::Error when the file cannot be written.
void saveHtmlReport(const db::Query &list, const QString &path);

} // namespace invoices
