#pragma once
// A bare SQLite database file in a temporary folder, for tests of the shared machinery that need tables of
// their own rather than the register's schema.
#include "db/connection.h"
#include <QTemporaryDir>

class ScratchDb {
    QTemporaryDir dir_;  // made before the connection opens its file in it

public:
    ScratchDb();
    QString folder() const { return dir_.path(); }

    db::Connection connection{QStringLiteral("scratch")};
};
