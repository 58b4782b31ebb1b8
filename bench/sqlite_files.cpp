#include "sqlite_files.h"
#include "dm_u.h"
#include "forms.h"
#include "schema/schema.h"
#include <QDir>
#include <QFile>
#include <QtGlobal>
#include <sqlite3.h>

namespace bench {

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        qFatal("sqlite: %s", sqlite3_errmsg(db));
}

int tableRows(const QString &path, const char *table)
{
    sqlite3 *db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        const QByteArray sql = QByteArray("select count(*) from ") + table;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            count = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return count;
}

GeneratedDatabase::GeneratedDatabase(const QString &folder, const QString &name, const char *table, int rows)
{
    QDir().mkpath(folder);
    path = folder + u'/' + name + u'-' + QString::number(rows) + QStringLiteral(".sqlite");
    existing = QFile::exists(path) && tableRows(path, table) == rows;
    if (existing)
        return;
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1StringView(suffix));
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + path);
    connection.open();
    RunSchemaSteps();
    connection.close();
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    check(sqlite3_exec(db, "pragma synchronous=off; begin", nullptr, nullptr, nullptr), db);
}

void GeneratedDatabase::finish()
{
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    db = nullptr;
}

int rawRead(const QString &path, const QString &statement, const QString &like)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = statement.toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    const QByteArray bound = like.toUtf8();
    sqlite3_bind_text(st, 1, bound.constData(), -1, SQLITE_TRANSIENT);
    int rows = 0;
    qint64 checksum = 0;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: checksum += sqlite3_column_int64(st, c); break;
            case SQLITE_FLOAT: checksum += qint64(sqlite3_column_double(st, c)); break;
            case SQLITE_NULL: break;
            default: checksum += sqlite3_column_bytes(st, c); (void)sqlite3_column_text(st, c); break;
            }
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows + int(checksum & 0);
}

} // namespace bench
