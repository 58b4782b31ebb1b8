#pragma once
// The stock of a goods row (kala.mojodi) as the warehouse movements keep it: an incoming movement adds its
// quantity, an outgoing one subtracts it, deleting a movement reverses it, and nothing takes it below 0.
// Reads and writes run inside the caller's write transaction, so the stock read is the stock written over.
#include <QString>
#include <QVariant>
#include <optional>

namespace stock {

inline const QString incoming = QStringLiteral("ورود");
inline const QString outgoing = QStringLiteral("خروج");

// The largest stock, and so quantity, the register keeps: every unit of it still counts in the 15
// significant digits a stock is kept to (and far inside what SQL Server's float column holds).
inline constexpr double largest = 999'999'999'999'999.0;

// A stock as it is stored: rounded to 15 significant digits, so that 0.3 - 0.1 - 0.2 is 0, never -0.
double rounded(double value);
// A stock as the forms show it: plain decimals, up to 15 significant digits, "." as the decimal point.
QString text(double value);

// The stock of the goods row of the warehouse and code, read afresh (held to the end of the transaction
// on SQL Server); nullopt when the warehouse has no such goods. A goods row's null stock reads 0.
std::optional<double> held(const QString &warehouse, const QVariant &code);
// The same, of the goods row that also carries this description and unit: a movement names its goods so.
std::optional<double> heldRegistered(const QString &warehouse, const QVariant &code, const QString &description,
                                     const QString &unit);
// Writes the stock of the goods row of the warehouse and code (rounded).
void write(const QString &warehouse, const QVariant &code, double value);

} // namespace stock
