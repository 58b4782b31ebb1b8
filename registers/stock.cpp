#include "stock.h"
#include "db/decimal_text.h"
#include "dm_u.h"
#include "forms.h"

namespace stock {

namespace {

std::optional<double> readHeld(const QString &where, const QVariantList &values)
{
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(QStringLiteral("select mojodi from ") + query.connection().dialect().lockedTable(QStringLiteral("kala"))
                  + where,
              values);
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    return query.fieldByName(QStringLiteral("mojodi")).asFloat();
}

} // namespace

double rounded(double value)
{
    const double result = QString::number(value, 'g', 15).toDouble();
    return result == 0 ? 0.0 : result;
}

QString text(double value)
{
    return db::decimalText(rounded(value));
}

std::optional<double> held(const QString &warehouse, const QVariant &code)
{
    return readHeld(QStringLiteral(" where anbar=? and cod=?"), {warehouse, code});
}

std::optional<double> heldRegistered(const QString &warehouse, const QVariant &code, const QString &description,
                                     const QString &unit)
{
    return readHeld(QStringLiteral(" where anbar=? and cod=? and cmt=? and vahed=?"),
                    {warehouse, code, description, unit});
}

void write(const QString &warehouse, const QVariant &code, double value)
{
    forms::dm->ADOConnection1.exec(QStringLiteral("update kala set mojodi=? where anbar=? and cod=?"),
                                   {rounded(value), warehouse, code});
}

} // namespace stock
