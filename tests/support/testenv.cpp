#include "testenv.h"
#include "platform/platform.h"
#include "schema/schema.h"
#include "support/user_store.h"
#include <stdexcept>

TestEnv::TestEnv(bool withSchema) : dialogs(ui::ScriptedDialogs::install())
{
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
