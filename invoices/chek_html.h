#pragma once
// The invoice register's HTML report: a right-to-left table of the list's rows, numbered, one column per
// field, as the spreadsheet program and a browser both open it. UTF-8 with a byte-order mark and a declared
// charset; every stored text escaped; lines ended by CR LF.
#include <QString>

class QIODevice;

namespace db {
class Query;
}
namespace ui {
class Progress;
}

namespace invoices {

// Writes the report of every row of the list, in the grid's order, to the device. The current row stays. Each
// row is told to the progress, if given; false when the user cancelled there.
bool writeHtmlReport(const db::Query &list, QIODevice &device, ui::Progress *progress = nullptr);
// Writes the report to the file under a busy cursor and, for a long list, a progress window; an earlier file
// of that name is replaced only by a complete report. False when the user cancelled: nothing is written.
// Throws db::Error when the file cannot be written.
bool saveHtmlReport(const db::Query &list, const QString &path);

} // namespace invoices
