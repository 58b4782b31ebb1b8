#pragma once
// The spreadsheet export of the purchases register's whole list, in fresh processes: the page's export command
// on the list read to its last row, against a bare libxlsxwriter writer of the same cells, and the memory the
// export takes above the open list.
#include <QString>
#include <QStringList>

// Prints the figures on the register in the file.
void runExportBench(const QString &path);

// The child's side of one run. more: the seconds to wait at most for the last row.
void freshExportFigure(const QString &path, const QStringList &more);
