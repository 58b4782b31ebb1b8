#pragma once
// The vendors register's import from the purchases register: every shop named in `tavrelkol` that the
// register does not hold yet becomes a vendor, with the name, account, code and bank of its newest purchase.
#include <QString>

namespace db {
class Dialect;
}

namespace vendors {

// The one insert ... select of the import. Shops whose name is empty or blank are skipped; shops the
// register already holds are left as they are. New vendors are numbered in shop-name order.
QString importStatement(const db::Dialect &dialect);

// Runs the import in one write transaction on the data module's connection; returns the vendors added.
int importFromPurchases();

} // namespace vendors
