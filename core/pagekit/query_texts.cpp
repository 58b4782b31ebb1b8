#include "pagekit/query_texts.h"

namespace querytexts {

QStringList selectTexts(db::Query &query, const QString &statement, const QVariantList &values)
{
    query.clear();
    query.add(statement, values);
    query.open();
    QStringList texts;
    texts.reserve(query.recordCount());
    for (int row = 0; row < query.recordCount(); ++row)
        texts.append(query.textAt(row, 0));
    return texts;
}

} // namespace querytexts
