#include "pagekit/text_year.h"

namespace pagekit {

Values yearAsText(Values values, const QString &column)
{
    const QVariant year = values[column];
    values.set(column, year.isNull() ? untouchedYear : year.toString());
    return values;
}

} // namespace pagekit
