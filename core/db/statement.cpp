#include "db/statement.h"
#include "db/conversions.h"
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <cerrno>
#include <sqlite3.h>

namespace db::detail {

using namespace Qt::StringLiterals;

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

Error odbcError(const QSqlError &error)
{
    const QString reason = errorText(error);
    // HYT00: the statement's or the login's time ran out (FreeTDS: "Timeout expired").
    if (error.nativeErrorCode().contains(u"HYT00"_s) || reason.contains(u"HYT00"_s)
        || reason.contains(u"Timeout expired"_s, Qt::CaseInsensitive))
        return Error(message::timeout + u'\n' + reason, Error::Kind::Timeout);
    return Error(reason);
}

void failOdbc(Connection &connection, const QSqlError &error)
{
    Error failure = odbcError(error);
    // Whatever the driver's words, a broken link leaves nothing to go on with: a statement's answer that
    // never came, a result cut off, a server gone. Its time-out keeps its own Persian text.
    if (connection.connected() && odbcLinkBroken(connection.database())) {
        connection.drop();
        if (failure.kind() != Error::Kind::Timeout)
            failure = Error(message::linkLost + u'\n' + failure.text(), Error::Kind::LinkLost);
    }
    throw failure;
}

sqlite3 *sqliteHandle(Connection &connection)
{
    connection.ensureOpen();
    if (connection.engine() != Engine::SQLite)
        return nullptr;
    const QVariant handle = connection.database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw Error(u"The SQLite driver gives no database handle"_s);
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    if (!db)
        throw Error(u"The SQLite database is not open"_s);
    return db;
}

QByteArray sqliteReaderFile(Connection &connection)
{
    sqlite3 *db = sqliteHandle(connection);
    if (!db || !sqlite3_get_autocommit(db))
        return QByteArray();
    const char *file = sqlite3_db_filename(db, "main");
    return file ? QByteArray(file) : QByteArray();
}

std::shared_ptr<sqlite3> openSqliteReader(const QByteArray &file, int busyMilliseconds)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    std::shared_ptr<sqlite3> handle(db, [](sqlite3 *opened) { sqlite3_close_v2(opened); });
    if (rc != SQLITE_OK)
        return nullptr;
    sqlite3_busy_timeout(db, busyMilliseconds);
    // It reads forward once: a small page cache serves it as well as a large one.
    sqlite3_exec(db, "PRAGMA cache_size=-256", nullptr, nullptr, nullptr);
    return handle;
}

SqliteStatement::SqliteStatement(sqlite3 *db, const QString &sql, const QVariantList &values) : db_(db)
{
    const QByteArray text = sql.toUtf8();
    const char *tail = nullptr;
    sqlite3_stmt *prepared = nullptr;
    const int rc = sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &prepared, &tail);
    statement_.reset(prepared);
    if (rc != SQLITE_OK)
        fail();
    if (!statement_)
        throw Error(u"The statement is empty"_s);
    if (tail && !QByteArrayView(tail, text.constData() + text.size() - tail).trimmed().isEmpty())
        throw Error(u"Unable to execute multiple statements at a time"_s);
    const int parameters = sqlite3_bind_parameter_count(handle());
    if (parameters != values.size())
        throw Error(u"The statement has %1 parameters but %2 values were given"_s.arg(parameters).arg(values.size()));
    for (int i = 0; i < parameters; ++i)
        bind(i + 1, values.at(i));
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt *statement) const
{
    sqlite3_finalize(statement);
}

Error sqliteError(sqlite3 *db, int code)
{
    // What the user can act on reads in Persian; the rest is the database's own text.
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Error(message::locked, Error::Kind::Locked);
    case SQLITE_READONLY: return Error(message::readOnly, Error::Kind::ReadOnly);
    case SQLITE_FULL: return Error(message::diskFull, Error::Kind::DiskFull);
    case SQLITE_IOERR:
        // A write the disk had no room for (or a file past what the file system holds).
        if (const int system = sqlite3_system_errno(db); system == ENOSPC || system == EDQUOT || system == EFBIG)
            return Error(message::diskFull, Error::Kind::DiskFull);
        break;
    default: break;
    }
    return Error(QString::fromUtf8(sqlite3_errmsg(db)));
}

void SqliteStatement::fail() const
{
    throw sqliteError(db_, sqlite3_extended_errcode(db_));
}

void SqliteStatement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(handle(), index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::Char:
            rc = sqlite3_bind_int64(handle(), index, value.toLongLong());
            break;
        case QMetaType::ULongLong:
        case QMetaType::ULong:
            rc = sqlite3_bind_int64(handle(), index, qint64(value.toULongLong()));
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(handle(), index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray &bytes = blobs_.emplace_back(value.toByteArray());
            rc = sqlite3_bind_blob64(handle(), index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_STATIC);
            break;
        }
        default: {
            QByteArray text;
            if (value.typeId() == QMetaType::QDateTime)
                text = formatDateTime(value.toDateTime()).toUtf8();
            else if (value.typeId() == QMetaType::QDate)
                text = value.toDate().toString(u"yyyy-MM-dd"_s).toUtf8();
            else
                text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(handle(), index, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail();
}

bool SqliteStatement::step()
{
    switch (sqlite3_step(handle())) {
    case SQLITE_ROW: return true;
    case SQLITE_DONE: return false;
    default: fail();
    }
}

QSqlQuery runOdbc(Connection &connection, const QString &sql, const QVariantList &values,
                  const std::function<void(void *statement)> &prepared)
{
    connection.ensureOpen();
    // The connection carries one result at a time: a list still being read is read to its end first.
    connection.finishPendingReads();
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query.prepare(sql))
        failOdbc(connection, query.lastError());
    // The prepared statement's handle takes the limit before it runs; a driver without it runs unlimited.
    setOdbcQueryTimeout(query, driverWait(connection.timeouts().statementSeconds));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (prepared)
        prepared(odbcStatement(query));
    if (!query.exec())
        failOdbc(connection, query.lastError());
    return query;
}

bool nextOdbcRow(Connection &connection, QSqlQuery &query)
{
    if (query.next())
        return true;
    // The driver reports the end of the rows without an error; anything else cut the result short.
    if (query.lastError().type() != QSqlError::NoError)
        failOdbc(connection, query.lastError());
    return false;
}

int execute(Connection &connection, const QString &sql, const QVariantList &values)
{
    if (sqlite3 *db = sqliteHandle(connection)) {
        const qint64 before = sqlite3_total_changes64(db);
        SqliteStatement statement(db, sql, values);
        while (statement.step()) {
        }
        // sqlite3_changes() keeps the count of the last row-changing statement; a statement that
        // changed nothing (a create, a select) affected no rows.
        return sqlite3_total_changes64(db) != before ? int(sqlite3_changes64(db)) : 0;
    }
    const QSqlQuery query = runOdbc(connection, sql, values);
    return query.numRowsAffected();
}

QVariantList firstRow(sqlite3 *db, const QString &sql, const QVariantList &values)
{
    SqliteStatement statement(db, sql, values);
    QVariantList row;
    if (!statement.step())
        return row;
    sqlite3_stmt *cells = statement.handle();
    for (int column = 0; column < sqlite3_column_count(cells); ++column) {
        switch (sqlite3_column_type(cells, column)) {
        case SQLITE_INTEGER: row << QVariant(qint64(sqlite3_column_int64(cells, column))); break;
        case SQLITE_FLOAT: row << QVariant(sqlite3_column_double(cells, column)); break;
        case SQLITE_NULL: row << QVariant(); break;
        default: {
            const auto *text = static_cast<const char *>(sqlite3_column_blob(cells, column));
            row << QVariant(QString::fromUtf8(text, sqlite3_column_bytes(cells, column)));
        }
        }
    }
    return row;
}

QVariantList firstRow(Connection &connection, const QString &sql, const QVariantList &values)
{
    if (sqlite3 *db = sqliteHandle(connection))
        return firstRow(db, sql, values);
    QSqlQuery query = runOdbc(connection, sql, values);
    QVariantList row;
    if (nextOdbcRow(connection, query))
        for (int column = 0; column < query.record().count(); ++column)
            row << (query.isNull(column) ? QVariant() : query.value(column));
    return row;
}

QVariant scalar(Connection &connection, const QString &sql, const QVariantList &values)
{
    return firstRow(connection, sql, values).value(0);
}

} // namespace db::detail
