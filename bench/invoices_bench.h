#pragma once
// The invoice register on a large `chek`: the page's own search with a subject filter against a raw SQLite
// read of the same rows, and its HTML report and second workbook against bare writers of the same files.
#include <QString>

// Prepares (once) `rows` invoices under `folder` and prints the figures.
void runInvoicesBench(const QString &folder, int rows);
