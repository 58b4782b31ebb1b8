#pragma once
// The invoice register on a large `chek`: a clerk's first search of every invoice in fresh processes, the page's
// own search with a subject filter, each against a raw SQLite read and the bare aggregate of the same statement,
// and its HTML report and second workbook against bare writers of the same files.
#include <QString>
#include <QStringList>

// Prepares (once) `rows` and four times as many invoices under `folder` and prints the figures.
void runInvoicesBench(const QString &folder, int rows);

// The child's side of one run: "open" (the search of every invoice: its first painted rows, then its labels).
// more: the seconds to wait at most.
void freshInvoicesFigure(const QString &figure, const QString &path, const QStringList &more);
