#include "user_store.h"
#include "connection_settings.h"
#include "login_u.h"
#include "platform/platform.h"
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace user_store {

void isolate()
{
    static QTemporaryDir home;
    // The test locations of QStandardPaths lie under the home folder; the settings path is fixed at the
    // first use of a store, so it is set here as well.
    qputenv("HOME", QFile::encodeName(home.path()));
    // Files the program writes to the temporary folder (spreadsheet exports) go with this home at the end.
    const QString temporary = home.filePath(QStringLiteral("tmp"));
    QDir().mkpath(temporary);
    qputenv("TMPDIR", QFile::encodeName(temporary));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

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
    connection::writeSettings({path, QStringLiteral("tavrel.accdb"), connection::localFile, QStringLiteral("admin"),
                               QStringLiteral("32-bit"), QStringLiteral("805317")});
}

} // namespace user_store
