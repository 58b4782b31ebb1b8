#pragma once
// A generated table of purchases with the columns of the register's purchases table, written straight
// through the sqlite3 C API, for the export benchmark.
#include <QString>
#include <QStringList>

namespace exportbench {

// The purchases table's columns, in the table's order.
QStringList purchaseColumns();
// Whether the column holds money (written with the money format).
bool isMoneyColumn(const QString &column);

// Creates `path` holding the table tavrelkol with `rows` generated purchases.
void writePurchases(const QString &path, int rows);

} // namespace exportbench
