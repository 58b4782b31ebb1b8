#include "places.h"
#include "dm_u.h"
#include "forms.h"

namespace {

// The first column of every row, empty values left out: a county or province nobody named is no choice.
QStringList firstColumn(db::Query &query)
{
    QStringList values;
    for (query.first(); !query.eof(); query.next()) {
        const QString value = query.field(0).asString();
        if (!value.isEmpty())
            values << value;
    }
    return values;
}

} // namespace

namespace places {

QStringList provinces()
{
    db::Query &query = *forms::dm->adoq_set;
    query.clear();
    query.add(QStringLiteral("select distinct ostan from abadiha"));
    query.open();
    return firstColumn(query);
}

QStringList counties(const QString &province)
{
    db::Query &query = *forms::dm->ADOQ_abadiha;
    query.clear();
    query.add(QStringLiteral("select distinct shahrestan from abadiha where ostan=?"), province);
    query.open();
    return firstColumn(query);
}

} // namespace places
