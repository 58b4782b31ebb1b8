#include "page_rights.h"
#include "dm_u.h"
#include "forms.h"
#include "signed_in_user.h"
#include "ui/dialogs.h"
#include <optional>

namespace rights {

namespace {

// The signed-in user's row for the page, read from the database at every call so that a change of rights
// takes effect at the next opening. No row (or nobody signed in): nullopt.
std::optional<Granted> readRow(const QString &pageKey)
{
    bool signedIn = false;
    const qint64 prsId = SignedInUser::instance().prsId().toLongLong(&signedIn);
    if (!signedIn)
        return std::nullopt;

    db::Query &query = *forms::dm->ADOQ_dastrasi;
    query.clear();
    query.add(QStringLiteral("select * from dastrasi where prs_id=? and page_name=?"), prsId, pageKey);
    query.open();
    if (query.isEmpty())
        return std::nullopt;
    return Granted{bit(query, QStringLiteral("darj")), bit(query, QStringLiteral("virayesh")),
                   bit(query, QStringLiteral("hazf")), bit(query, QStringLiteral("namayesh"))};
}

} // namespace

bool CheckPageRights(const QString &pageKey, const std::function<void(const Granted &)> &apply)
{
    const std::optional<Granted> row = readRow(pageKey);
    // Without a row every command of a right goes off, as a row whose bits are all clear sets them.
    apply(row.value_or(Granted{}));
    if (!row || !row->view) {
        ui::showMessage(deniedText);
        return false;
    }
    return true;
}

bool bit(db::Query &rows, const QString &name) { return rows.fieldByName(name).value().toBool(); }

} // namespace rights
