#include "sqlite_files.h"
#include "dm_u.h"
#include "forms.h"
#include "schema/schema.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtGlobal>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

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
    if (!existing)
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(path + QLatin1StringView(suffix));
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + path);
    connection.open();
    RunSchemaSteps();
    connection.close();
    if (existing)
        return;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    check(sqlite3_exec(db, "pragma synchronous=off; begin", nullptr, nullptr, nullptr), db);
}

void GeneratedDatabase::finish()
{
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    db = nullptr;
}

sqlite3 *openAsReader(const QString &path)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                          nullptr),
          db);
    sqlite3_busy_timeout(db, 5000);
    check(sqlite3_exec(db, "PRAGMA cache_size=-256", nullptr, nullptr, nullptr), db);
    return db;
}

namespace {

// The statement prepared on the reader with its values bound.
sqlite3_stmt *prepared(sqlite3 *db, const QString &statement, const QVariantList &values)
{
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &st, nullptr), db);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        if (value.isNull())
            sqlite3_bind_null(st, i + 1);
        else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
            sqlite3_bind_int64(st, i + 1, value.toLongLong());
        else
            sqlite3_bind_text(st, i + 1, value.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    return st;
}

} // namespace

int rawRead(const QString &path, const QString &statement, const QVariantList &values)
{
    sqlite3 *db = openAsReader(path);
    sqlite3_stmt *st = prepared(db, statement, values);
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

qint64 bareAggregate(const QString &path, const QString &statement, const QVariantList &values,
                     const QStringList &columns)
{
    // Its last line's order is left out: it changes no count or sum, and keeping it could cost a sort.
    QStringList lines = statement.split(u'\n');
    static const QRegularExpression orderBy(u"^\\s*order\\s+by\\b"_s, QRegularExpression::CaseInsensitiveOption);
    if (orderBy.match(lines.constLast()).hasMatch())
        lines.removeLast();
    sqlite3 *db = openAsReader(path);
    QString sums;
    for (const QString &column : columns)
        sums += u", sum("_s + column + u')';
    sqlite3_stmt *st = prepared(db, u"select count(*)"_s + sums + u" from ("_s + lines.join(u'\n') + u") t"_s, values);
    qint64 count = -1;
    if (sqlite3_step(st) == SQLITE_ROW)
        count = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return count;
}

} // namespace bench
