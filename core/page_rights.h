#pragma once
// Page rights: before a main-menu command shows a page it reads the signed-in user's row of table
// `dastrasi` for the page's key, sets the page's commands from the row's bits and refuses the page when
// there is no row or no view right. Every page opener runs CheckPageRights first.
#include <QList>
#include <QString>

class QAction;
class QObject;
class QWidget;
namespace db {
class Query;
}

namespace rights {

// The page keys of table dastrasi, one per page the main menu checks.
namespace key {
inline const QString faktor = QStringLiteral("faktor");
inline const QString tavrelkol = QStringLiteral("tavrelkol");
inline const QString darkhast = QStringLiteral("darkhast");
inline const QString foroshande = QStringLiteral("foroshande");
inline const QString bime = QStringLiteral("bime");
inline const QString anbar = QStringLiteral("anbar");
inline const QString kala = QStringLiteral("kala");
inline const QString estelam = QStringLiteral("estelam");
inline const QString setting = QStringLiteral("setting");
inline const QString phone = QStringLiteral("phone");
inline const QString zamaem = QStringLiteral("zamaem");
inline const QString abadiha = QStringLiteral("abadiha");
inline const QString karbaran = QStringLiteral("karbaran");
} // namespace key

// The refusal shown for a missing row or a missing view right.
inline const QString deniedText = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

// The commands of the target page that each right switches. A command is a QAction (a menu item) or any
// widget (a button); one right may switch several, e.g. {ui->N5, ui->ins_btn2, ui->ins_btn}.
struct PageCommands {
    QList<QObject *> insert;  // bit darj
    QList<QObject *> edit;    // bit virayesh
    QList<QObject *> remove;  // bit hazf
    // Enabled exactly when the view right is set: items 3, 4 and 5 of the seven-item list-page menus.
    QList<QObject *> view;
};

// Reads the signed-in user's rights row for the page key afresh (on the data module's ADOQ_dastrasi),
// enables each command by its bit, and shows the refusal when there is no row or no view right.
// Returns true when the page may be shown. A database error is not caught here.
bool CheckPageRights(const QString &pageKey, const PageCommands &commands);

// A right's bit of the query's current dastrasi row. A bit column reads as a boolean, 0/1 or "0"/"1"
// depending on the driver; a null bit is clear.
bool bit(db::Query &rows, const QString &name);

// Enables or disables each command of the list (menu items and widgets alike).
void setCommandsEnabled(const QList<QObject *> &commands, bool enabled);

// Item `position` (from 0) of a page's main menu (its top-level items) or of its context menu: the rights
// address the items by position, e.g. menuItem(ui->MainMenu1, 0) or menuItem(ui->PopupMenu1, 0).
QAction *menuItem(const QWidget *menu, int position);
// Items first..last, e.g. menuItems(ui->MainMenu1, 3, 5) for the view right of the seven-item menus.
QList<QObject *> menuItems(const QWidget *menu, int first, int last);

} // namespace rights
