#pragma once
// The spreadsheet export of a list page: the rows of its query, as the grid shows them, into a new workbook
// that the desktop's spreadsheet program then opens.
#include <QHash>
#include <QString>
#include <QStringList>

namespace db {
class Query;
}
namespace ui {
class Progress;
}

namespace excel {

// Field name -> header caption. A field without a caption is headed by its name; an empty caption stays empty.
using Captions = QHash<QString, QString>;

// Writes the workbook to `path` (sheet "Sheet1", header row, every row of the query in its current order,
// widths, bold "A1:AA1", dash-dot borders on "A1:M1", thin borders on "A2:M"+(rows+1)). Every field is a
// column but those named in leftOut (what must not leave the program, a password), whose columns close up.
// The query's current row stays where it was. A list still being read is written as its rows are read. Each
// row is told to the progress, if given; false when the user cancelled there, and nothing is written. Throws
// db::Error when the file cannot be written.
bool writeWorkbook(db::Query &dataSet, const Captions &captions, const QString &path,
                   ui::Progress *progress = nullptr, const QStringList &leftOut = {});

// The page's export command, under a busy cursor and, for a long list, a progress dialog: writes the
// workbook into the private temporary folder, named after the page and today's solar date, and opens it
// with the desktop (or tells the user where it is). Returns the file's path; empty when the user cancelled.
QString ExportGridToExcel(db::Query &dataSet, const Captions &captions, const QString &pageName,
                          const QStringList &leftOut = {});

} // namespace excel
