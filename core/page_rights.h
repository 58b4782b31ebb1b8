#pragma once
// Page rights: before a main-menu command shows a page it reads the signed-in user's row of table `dastrasi` for the
// page's key, sets the page's commands from the row's bits and refuses the page when there is no row or no view
// right. Every page opener runs CheckPageRights first; which command needs which right, each page declares once
// (pagekit/commands.h).
#include <QString>
#include <functional>

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

// The four bits of a rights row (all clear when the user has no row for the page).
struct Granted {
    bool insert = false; // darj
    bool edit = false;   // virayesh
    bool remove = false; // hazf
    bool view = false;   // namayesh
};

// Reads the signed-in user's rights row for the page key afresh (on the data module's ADOQ_dastrasi), gives its bits
// to `apply` (the page's commands: pagekit::Commands::apply), and shows the refusal when there is no row or no view
// right. Returns true when the page may be shown. A database error is not caught here.
bool CheckPageRights(const QString &pageKey, const std::function<void(const Granted &)> &apply);

// A right's bit of the query's current dastrasi row. A bit column reads as a boolean, 0/1 or "0"/"1"
// depending on the driver; a null bit is clear.
bool bit(db::Query &rows, const QString &name);

} // namespace rights
