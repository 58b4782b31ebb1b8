#include "db/conversions.h"
#include "db/decimal_text.h"
#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <limits>
#include <optional>

namespace db::detail {

using namespace Qt::StringLiterals;

Storage storageOf(FieldType type)
{
    switch (type) {
    case FieldType::WideText:
    case FieldType::Text:
    case FieldType::DateTime:
        return Storage::Text;
    case FieldType::Integer:
    case FieldType::BigInt:
    case FieldType::AutoInc:
    case FieldType::Money:
    case FieldType::Boolean:
        return Storage::Integer;
    case FieldType::Float:
    case FieldType::Bcd:
        return Storage::Real;
    case FieldType::Blob:
        return Storage::Bytes;
    }
    return Storage::Variant;
}

namespace {

[[noreturn]] void notA(const char *what, const QString &text)
{
    throw Error(u'\'' + text + u"' is not a valid "_s + QLatin1StringView(what) + u" value"_s);
}

bool isText(const QVariant &value)
{
    const int id = value.typeId();
    return id == QMetaType::QString || id == QMetaType::QByteArray;
}

qint64 roundToInteger(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
        throw Error(u"The number "_s + decimalText(value) + u" is out of range"_s);
    return std::llround(value);
}

// A whole number written in plain digits, or nullopt.
std::optional<qint64> wholeNumber(const QString &text)
{
    bool ok = false;
    const qint64 result = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(result) : std::nullopt;
}

std::optional<double> floatNumber(const QString &text)
{
    bool ok = false;
    const double result = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(result) ? std::optional<double>(result) : std::nullopt;
}

bool isTrue(const QString &text)
{
    const QString t = text.trimmed();
    return t.compare(u"true"_s, Qt::CaseInsensitive) == 0 || (wholeNumber(t).value_or(0) != 0);
}

} // namespace

bool parseRounded(QByteArrayView text, qint64 &result)
{
    text = text.trimmed();
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    quint64 whole = 0;
    qsizetype digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (whole > (std::numeric_limits<quint64>::max() - 9) / 10)
            return false;
        whole = whole * 10 + quint64(text[i] - '0');
    }
    bool roundUp = false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && text[i] >= '0' && text[i] <= '9')
            roundUp = text[i] >= '5';
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            ++digits;
    }
    if (i != text.size() || digits == 0) {
        // Exponent forms ("1.25E6") are numbers too, exact enough below 2^53.
        bool ok = false;
        const double value = text.toByteArray().toDouble(&ok);
        if (!ok || !std::isfinite(value) || std::fabs(value) >= 9.2e18)
            return false;
        result = std::llround(value);
        return true;
    }
    whole += roundUp ? 1 : 0;
    if (whole > quint64(std::numeric_limits<qint64>::max()))
        return false;
    result = negative ? -qint64(whole) : qint64(whole);
    return true;
}

QString formatDateTime(const QDateTime &value)
{
    return value.toString(value.time().msec() ? u"yyyy-MM-dd HH:mm:ss.zzz"_s : u"yyyy-MM-dd HH:mm:ss"_s);
}

qint64 toInteger(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType: return 0;
    case QMetaType::Double:
    case QMetaType::Float: return roundToInteger(value.toDouble());
    case QMetaType::QString: {
        const QString text = value.toString();
        if (const auto number = wholeNumber(text))
            return *number;
        notA("integer", text);
    }
    case QMetaType::QByteArray: notA("integer", QString::fromUtf8(value.toByteArray()));
    default: break;
    }
    bool ok = false;
    const qint64 result = value.toLongLong(&ok);
    if (!ok)
        notA("integer", value.toString());
    return result;
}

double toFloat(const QVariant &value)
{
    if (!value.isValid())
        return 0;
    if (isText(value)) {
        const QString text = value.toString();
        if (const auto number = floatNumber(text))
            return *number;
        notA("floating point", text);
    }
    bool ok = false;
    const double result = value.toDouble(&ok);
    if (!ok)
        notA("floating point", value.toString());
    return result;
}

qint64 toCurrency(const QVariant &value)
{
    if (isText(value)) {
        const QByteArray text = value.typeId() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
        qint64 result = 0;
        if (!parseRounded(text, result))
            notA("currency", QString::fromUtf8(text));
        return result;
    }
    return toInteger(value);
}

QString toText(const QVariant &value, FieldType type)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType: return QString();
    case QMetaType::QString: return value.toString();
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    case QMetaType::Double:
    case QMetaType::Float:
        if (type == FieldType::Money)
            return QString::number(roundToInteger(value.toDouble()));
        return decimalText(value.toDouble());
    case QMetaType::Bool: return value.toBool() ? u"True"_s : u"False"_s;
    case QMetaType::QDateTime: return formatDateTime(value.toDateTime());
    default: break;
    }
    if (type == FieldType::Boolean)
        return value.toLongLong() ? u"True"_s : u"False"_s;
    return value.toString();
}

QVariant toPublic(const QVariant &value, FieldType type)
{
    if (!value.isValid())
        return value;
    switch (type) {
    case FieldType::Boolean: return QVariant(value.toLongLong() != 0);
    case FieldType::DateTime: {
        const QString text = value.toString();
        QDateTime when = QDateTime::fromString(text, u"yyyy-MM-dd HH:mm:ss"_s);
        if (!when.isValid())
            when = QDateTime::fromString(text, Qt::ISODateWithMs);
        return when.isValid() ? QVariant(when) : value;
    }
    default: return value;
    }
}

QVariant normalise(const QVariant &value, FieldType type)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const Storage storage = storageOf(type);
    // An empty text clears a number field, as the older engine did.
    if (storage == Storage::Integer || storage == Storage::Real) {
        if (isText(value) && value.toString().trimmed().isEmpty())
            return QVariant();
    }
    switch (storage) {
    case Storage::Text:
        if (value.typeId() == QMetaType::QDateTime)
            return formatDateTime(value.toDateTime());
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().toString(u"yyyy-MM-dd"_s);
        return toText(value, type);
    case Storage::Integer:
        if (type == FieldType::Money)
            return QVariant(toCurrency(value));
        if (type == FieldType::Boolean) {
            if (isText(value))
                return QVariant(qint64(isTrue(value.toString()) ? 1 : 0));
            return QVariant(qint64(toInteger(value) != 0 ? 1 : 0));
        }
        return QVariant(toInteger(value));
    case Storage::Real: return QVariant(toFloat(value));
    case Storage::Bytes:
        if (value.typeId() == QMetaType::QString)
            return QVariant(value.toString().toUtf8());
        return QVariant(value.toByteArray());
    case Storage::Variant: break;
    }
    return value;
}

} // namespace db::detail
