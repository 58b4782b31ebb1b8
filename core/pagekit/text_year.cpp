#include "pagekit/text_year.h"

namespace pagekit {

Values yearAsText(Values values, const QString &column)
{
    const QVariant year = values[column];
    if (!year.isNull())
        values.set(column, year.toString());
    return values;
}

} // namespace pagekit
