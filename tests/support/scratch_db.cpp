#include "scratch_db.h"

ScratchDb::ScratchDb()
{
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + dir_.filePath(QStringLiteral("scratch.db")));
    connection.open();
}
