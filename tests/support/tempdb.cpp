#include "support/tempdb.h"

TempDb::TempDb() = default;

TempDb::~TempDb() = default;

QString TempDb::file() const
{
    return dir_.filePath(QStringLiteral("tavrel.db"));
}

QString TempDb::connectionString() const
{
    return QStringLiteral("Provider=SQLite;Data Source=") + file();
}

db::Connection &TempDb::connection()
{
    if (!connection_) {
        connection_ = std::make_unique<db::Connection>(QStringLiteral("test"));
        connection_->setConnectionString(connectionString());
        connection_->open();
    }
    return *connection_;
}
