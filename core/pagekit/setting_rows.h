#pragma once
// What the settings page and the pick-list loaders share about table `setting`: whose rows are whose, and
// the one statement that reads the values filed under a title.
#include "pagekit/picklist.h"
#include <QString>
#include <QVariant>

namespace db {
class Query;
}

namespace setting_rows {

// The signed-in user's id as the rows are stamped with it: a number, or (before a sign-in) a text that matches
// no row.
QVariant currentUserId();

// Sets the query to the values filed under exactly this title (own rows: the signed-in user's only) and opens it.
void openTitle(db::Query &query, const QString &title, picklist::Rows rows);

} // namespace setting_rows
