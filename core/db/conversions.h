#pragma once
// Conversions between the values a query keeps and what its fields give and take. A stored value is
// "normalised" by storage: text as QString, whole numbers (also money and bits) as qint64, other numbers as
// double, bytes as QByteArray; null is an invalid QVariant.
#include "db/query.h"
#include <QByteArrayView>
#include <QString>
#include <QVariant>

namespace db::detail {

enum class Storage : quint8 { Text, Integer, Real, Bytes, Variant };
Storage storageOf(FieldType type);

// A value given by a page or a driver in the form its field keeps; db::Error when it cannot be.
QVariant normalise(const QVariant &value, FieldType type);

// Reads of a stored value by the rules of the older engine: null is "" or 0; text read as a number must be one.
QString toText(const QVariant &value, FieldType type);
qint64 toInteger(const QVariant &value);
double toFloat(const QVariant &value);
qint64 toCurrency(const QVariant &value);
QVariant toPublic(const QVariant &value, FieldType type); // what Field::value() gives

// Decimal text ("1250000.0000", "-3.5", " 12 ") as a whole number rounded half away from zero.
bool parseRounded(QByteArrayView text, qint64 &result);
QString formatDateTime(const QDateTime &value);

} // namespace db::detail
