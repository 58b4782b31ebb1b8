#include "page_rights.h"
#include "dm_u.h"
#include "forms.h"
#include "signed_in_user.h"
#include "ui/dialogs.h"
#include <QAction>
#include <QWidget>
#include <optional>

namespace rights {

namespace {

struct RightsRow {
    bool insert = false;
    bool edit = false;
    bool remove = false;
    bool view = false;
};

// The signed-in user's row for the page, read from the database at every call so that a change of rights
// takes effect at the next opening. No row (or nobody signed in): nullopt.
std::optional<RightsRow> readRow(const QString &pageKey)
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
    return RightsRow{bit(query, QStringLiteral("darj")), bit(query, QStringLiteral("virayesh")),
                     bit(query, QStringLiteral("hazf")), bit(query, QStringLiteral("namayesh"))};
}

} // namespace

void setCommandsEnabled(const QList<QObject *> &commands, bool enabled)
{
    for (QObject *command : commands) {
        if (auto *action = qobject_cast<QAction *>(command))
            action->setEnabled(enabled);
        else if (auto *widget = qobject_cast<QWidget *>(command))
            widget->setEnabled(enabled);
    }
}

bool CheckPageRights(const QString &pageKey, const PageCommands &commands)
{
    const std::optional<RightsRow> row = readRow(pageKey);
    if (!row) {
        ui::showMessage(deniedText);
        return false;
    }
    setCommandsEnabled(commands.insert, row->insert);
    setCommandsEnabled(commands.edit, row->edit);
    setCommandsEnabled(commands.remove, row->remove);
    setCommandsEnabled(commands.view, row->view);
    if (!row->view) {
        ui::showMessage(deniedText);
        return false;
    }
    return true;
}

QAction *menuItem(const QWidget *menu, int position)
{
    const QList<QAction *> items = menu->actions();
    Q_ASSERT(position >= 0 && position < items.size());
    return items.value(position);
}

QList<QObject *> menuItems(const QWidget *menu, int first, int last)
{
    QList<QObject *> items;
    for (int position = first; position <= last; ++position)
        items.append(menuItem(menu, position));
    return items;
}

bool bit(db::Query &rows, const QString &name)
{
    return rows.fieldByName(name).value().toBool();
}

} // namespace rights
