#pragma once
// The values of a list the forms offer: one select run on a shared query, its first column read as text.
#include "db/query.h"
#include <QStringList>

namespace querytexts {

// Replaces the query's statement with `statement` (values bound to its '?'), opens it and returns the first
// column of every row as text, in the order the database returns them; a null reads as empty text.
QStringList selectTexts(db::Query &query, const QString &statement, const QVariantList &values = {});

} // namespace querytexts
