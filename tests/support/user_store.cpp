#include "user_store.h"
#include "connection_settings.h"
#include "login_u.h"
#include "platform/platform.h"
#include <QFile>

namespace user_store {

void clear()
{
    const std::unique_ptr<QSettings> store = platform::settings();
    store->clear();
    store->sync();
    QFile::remove(Tlogin::lastUserFile());
    const QString database = connection::defaultDatabaseFile();
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(database + suffix);
}

void storeLocalDatabase(const QString &path)
{
    connection::Settings settings;
    settings.sqlServerName = path;
    settings.dataBase = QStringLiteral("tavrel.accdb");
    settings.authentication = connection::localFile;
    settings.userName = QStringLiteral("admin");
    settings.systemType = QStringLiteral("32-bit");
    settings.password = QStringLiteral("805317");
    connection::writeSettings(settings);
}

} // namespace user_store
