#include "vendor_import_bench.h"
#include "db/connection.h"
#include "db/statement.h"
#include "dm_u.h"
#include "forms.h"
#include "measure.h"
#include "purchasing/foroshande_import.h"
#include <QFile>
#include <algorithm>
#include <sqlite3.h>

namespace {

// The statement as the program sends it to SQLite, run bare: the least any import must do. The file is opened
// as the program's connection opens it: with a lock at each call only if the program's takes one.
int bareImport(const QString &path, const QByteArray &statement, bool locksEachCall)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                    SQLITE_OPEN_READWRITE | (locksEachCall ? SQLITE_OPEN_FULLMUTEX : SQLITE_OPEN_NOMUTEX), nullptr);
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db, statement.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("bare import: %s", sqlite3_errmsg(db));
    const int added = sqlite3_changes(db);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return added;
}

} // namespace

void runVendorImportBench(const QString &path)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    const QByteArray statement = vendors::importStatement(connection.dialect()).toUtf8();
    const bool locksEachCall = sqlite3_db_mutex(db::detail::sqliteHandle(connection)) != nullptr;
    const auto emptyRegister = [&] { connection.exec(QStringLiteral("delete from foroshandegan")); };

    double program = 1e9, bare = 1e9;
    int programAdded = 0, bareAdded = 0;
    for (int run = 0; run < 3; ++run) {
        emptyRegister();
        program = std::min(program, bench::seconds([&] { programAdded = vendors::importFromPurchases(); }));
        emptyRegister();
        bare = std::min(bare, bench::seconds([&] { bareAdded = bareImport(path, statement, locksEachCall); }));
    }
    emptyRegister();

    bench::report("vendors import: vendors added (program / bare)",
                  QStringLiteral("%1 / %2").arg(programAdded).arg(bareAdded));
    bench::report("vendors import, the page's command (s)", QString::number(program, 'f', 3));
    bench::report("vendors import, bare sqlite3 C API (s)", QString::number(bare, 'f', 3));
    bench::report("vendors import: ratio import / bare (target at most 1.5)", QString::number(program / bare, 'f', 2));
}
