#pragma once
// A generated register of invoices and payments (`chek`) with realistic Persian texts, kept between runs.
#include <QString>

namespace bench {

// The word that about a fifth of the invoices' subjects (mozo) contain.
QString invoiceSubjectWord();

// Makes (once) an SQLite database of `rows` invoices built by the program's own schema routine, and returns its
// path. Needs the data module (forms::dm). The file is kept in `folder` and reused while it holds that many rows.
QString invoicesDatabase(const QString &folder, int rows);

} // namespace bench
