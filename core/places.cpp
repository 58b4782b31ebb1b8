#include "places.h"
#include "dm_u.h"
#include "forms.h"

namespace {

// The first column of every row, each value once. A blank value (null or empty) is left out, or offered
// once as an empty item where a blank is a value the user may pick.
QStringList firstColumn(db::Query &query, bool offerBlank)
{
    QStringList values;
    for (query.first(); !query.eof(); query.next()) {
        const QString value = query.field(0).asString();
        if (value.isEmpty() && (!offerBlank || values.contains(value)))
            continue;
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
    return firstColumn(query, true);
}

QStringList counties(const QString &province)
{
    db::Query &query = *forms::dm->ADOQ_abadiha;
    query.clear();
    // The blank province holds the villages whose province is null or empty.
    query.add(QStringLiteral("select distinct shahrestan from abadiha where coalesce(ostan,'')=?"), province);
    query.open();
    return firstColumn(query, false);
}

} // namespace places
