#pragma once
// The user behind a list page's rows: the user filter's look-up of a chosen name, and the balloon over the grid
// naming who entered the current row.
#include <QString>

class QTableView;

namespace db {
class Query;
}

namespace pagekit {

// The id (as text) of the user of that name, for the hidden label the user filter searches by; empty when no
// user has the name.
QString userIdOf(const QString &name);

// The balloon "User" over the grid with the name of the user whose id the list's current row holds in
// `user_id` (empty when none); nothing on an empty list.
void showRowUserBalloon(QTableView *grid, db::Query &list);

} // namespace pagekit
