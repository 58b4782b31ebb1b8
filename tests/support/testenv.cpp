#include "testenv.h"
#include "connection_settings.h"
#include "login_u.h"
#include "pagekit/data_feedback.h"
#include "platform/platform.h"
#include "schema/schema.h"
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <stdexcept>

TestEnv::TestEnv(bool withSchema) : dialogs(ui::ScriptedDialogs::install())
{
    pagekit::installDataFeedback();
    // Settings, data and temporary folders of the tests stay apart from the user's own.
    user_store::isolate();
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder for the test database");
    platform::setFileOpener([this](const QString &path) {
        openedFiles.append(path);
        return true;
    });
    if (!forms::dm) {
        forms::createAll();
        ownsForms_ = true;
    }
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + dbPath());
    connection.open();
    if (withSchema)
        RunSchemaSteps();
}

TestEnv::~TestEnv()
{
    if (ownsForms_)
        forms::destroyAll();
    else if (forms::dm)
        forms::dm->ADOConnection1.close();
    platform::setFileOpener(nullptr);
    SignedInUser::instance().set(QStringLiteral("prs_id"), QStringLiteral("karbar"), QStringLiteral("level"));
    user_store::clear();
}

void TestEnv::setRights(int prsId, const QString &page, const QList<bool> &bits)
{
    exec(QStringLiteral("delete from dastrasi where prs_id=? and page_name=?"), {prsId, page});
    exec(QStringLiteral("insert into dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) "
                        "values (?, ?, ?, ?, ?, ?)"),
         {prsId, page, bits.value(0), bits.value(1), bits.value(2), bits.value(3)});
}

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
