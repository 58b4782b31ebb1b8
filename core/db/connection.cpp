#include "db/connection.h"
#include "db/error.h"
#include "db/statement.h"
#include <QAtomicInt>
#include <QSqlError>
#include <QThread>
#include <algorithm>
#include <sqlite3.h>

namespace db {

using namespace Qt::StringLiterals;

Connection::Connection(QString name) : name_(std::move(name)), dialect_(makeDialect(Engine::SqlServer))
{
    static QAtomicInt serial;
    sqlName_ = name_ + u'#' + QString::number(serial.fetchAndAddRelaxed(1) + 1);
}

Connection::~Connection()
{
    close();
    if (QSqlDatabase::contains(sqlName_))
        QSqlDatabase::removeDatabase(sqlName_);
}

QString Connection::setting(const QString &key) const
{
    const QStringList parts = connectionString_.split(u';');
    for (const QString &part : parts) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals > 0 && part.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1).trimmed();
    }
    return QString();
}

void Connection::setConnectionString(const QString &text)
{
    connectionString_ = text;
    const bool sqlite = setting(u"Provider"_s).compare(u"SQLite"_s, Qt::CaseInsensitive) == 0;
    file_ = sqlite ? setting(u"Data Source"_s) : QString();
    dialect_ = makeDialect(sqlite ? Engine::SQLite : Engine::SqlServer);
}

void Connection::setDatabaseFile(const QString &path)
{
    connectionString_.clear();
    file_ = path;
    dialect_ = makeDialect(Engine::SQLite);
}

void Connection::open()
{
    close();
    if (QSqlDatabase::contains(sqlName_))
        QSqlDatabase::removeDatabase(sqlName_);
    try {
        if (engine() == Engine::SQLite)
            openSqlite();
        else
            openOdbc();
    } catch (...) {
        // A failed open leaves nothing half-open behind: later statements meet a closed connection.
        close();
        throw;
    }
}

void Connection::drop()
{
    closeDatabase();
    dropped_ = true;
}

void Connection::ensureOpen()
{
    if (connected())
        return;
    if (!dropped_)
        throw Error(message::notConnected, Error::Kind::NotConnected);
    try {
        open();
    } catch (const Error &error) {
        // Still dropped: the next statement tries again, once the network is back.
        dropped_ = true;
        throw Error(message::notConnected + u'\n' + error.text(), Error::Kind::NotConnected);
    }
}

namespace {

int waitBriefly(void *limitMs, int attempts)
{
    constexpr int napMicroseconds = 250;
    if (qint64(attempts) * napMicroseconds >= qint64(*static_cast<int *>(limitMs)) * 1000)
        return 0;
    QThread::usleep(napMicroseconds);
    return 1;
}

} // namespace

void Connection::openSqlite()
{
    if (file_.isEmpty())
        throw Error(u"No SQLite file is named"_s);
    QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, sqlName_);
    database.setDatabaseName(file_);
    database.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT="_s + QString::number(timeouts_.busyMilliseconds));
    if (!database.open())
        throw Error(detail::errorText(database.lastError()));
    // SQLite opens a file it may not write read-only without a word; every page writes, so it is refused here.
    if (sqlite3_db_readonly(detail::sqliteHandle(*this), "main") == 1)
        throw Error(message::readOnly, Error::Kind::ReadOnly);
    // Several processes on one machine share the file; readers then never wait for a writer. A file system
    // that can't keep a write-ahead log leaves the file in its old mode, where a reader blocks the writers.
    const QString mode = detail::scalar(*this, u"PRAGMA journal_mode=WAL"_s, {}).toString();
    readersWait_ = mode.compare(u"wal"_s, Qt::CaseInsensitive) != 0;
    // A writer holds the lock for a millisecond or so: another waits in short naps rather than SQLite's own
    // growing ones (1, 2, 5, 10 ms...), which leave the file idle for most of the wait.
    sqlite3_busy_handler(detail::sqliteHandle(*this), &waitBriefly, &timeouts_.busyMilliseconds);
}

void Connection::openOdbc()
{
    QSqlDatabase database = QSqlDatabase::addDatabase(u"QODBC"_s, sqlName_);
    // The statements of the connection itself (the driver's questions about the server's types, the session's
    // settings) answer within the connect time: FreeTDS's Timeout is the wait of a statement that sets none.
    const QString ownWait = QString::number(driverWait(timeouts_.connectSeconds));
    database.setDatabaseName(connectionString_ + u";Timeout="_s + ownWait);
    // A server that takes the connection and never answers would otherwise hold the sign-in for ever.
    const QString seconds = QString::number(timeouts_.connectSeconds);
    database.setConnectOptions(u"SQL_ATTR_LOGIN_TIMEOUT="_s + seconds + u";SQL_ATTR_CONNECTION_TIMEOUT="_s + seconds);
    // The failure's kind, and the driver's reason alone: sign-in puts it under the text of what to check.
    if (!database.open())
        throw Error(detail::errorText(database.lastError()), detail::odbcError(database.lastError()).kind());
    for (const QString &statement : dialect().sessionSettings())
        detail::execute(*this, statement, {});
}

void Connection::addPendingRead(const void *owner, PendingRead read)
{
    pending_.insert(owner, std::move(read));
}

void Connection::removePendingRead(const void *owner)
{
    pending_.remove(owner);
}

void Connection::finishPendingReads()
{
    while (true) {
        const auto on =
            std::find_if(pending_.cbegin(), pending_.cend(), [](const PendingRead &read) { return read.onChannel; });
        if (on == pending_.cend())
            return;
        const std::function<void()> readRest = on->readRest;
        pending_.remove(on.key());
        readRest();
    }
}

void Connection::close()
{
    dropped_ = false;
    closeDatabase();
}

void Connection::closeDatabase()
{
    // What was still to be read is gone with the connection (or its file, for a reader of its own).
    const QHash<const void *, PendingRead> pending = std::exchange(pending_, {});
    for (const PendingRead &read : pending)
        if (read.giveUp)
            read.giveUp();
    if (QSqlDatabase::contains(sqlName_))
        QSqlDatabase::database(sqlName_, false).close();
}

bool Connection::connected() const
{
    return QSqlDatabase::contains(sqlName_) && QSqlDatabase::database(sqlName_, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(sqlName_, false);
}

QString Connection::databaseName() const
{
    return engine() == Engine::SQLite ? file_ : setting(u"DATABASE"_s);
}

int Connection::exec(const QString &sql, const QVariantList &values)
{
    return detail::execute(*this, sql, values);
}

void Connection::beginTransaction()
{
    ensureOpen();
    // SQLite: the write lock at once (BEGIN IMMEDIATE), so a check and the write it guards can't interleave
    // with another process's; the driver's own BEGIN would take it only at the first write.
    if (engine() == Engine::SQLite) {
        detail::execute(*this, dialect().beginWrite(), {});
        return;
    }
    finishPendingReads();
    if (QSqlDatabase db = database(); !db.transaction())
        detail::failOdbc(*this, db.lastError());
}

void Connection::commit()
{
    if (engine() == Engine::SQLite) {
        detail::execute(*this, u"COMMIT"_s, {});
        return;
    }
    finishPendingReads();
    if (QSqlDatabase db = database(); !db.commit())
        detail::failOdbc(*this, db.lastError());
}

void Connection::rollback()
{
    if (engine() == Engine::SQLite) {
        if (sqlite3 *handle = detail::sqliteHandle(*this); handle && !sqlite3_get_autocommit(handle))
            detail::execute(*this, u"ROLLBACK"_s, {});
        return;
    }
    // A transaction whose link broke went with it: the server rolled it back.
    if (!connected())
        return;
    finishPendingReads();
    if (QSqlDatabase db = database(); !db.rollback())
        detail::failOdbc(*this, db.lastError());
}

int driverWait(int limitSeconds)
{
    return limitSeconds > 1 ? limitSeconds / 2 : std::max(limitSeconds, 0);
}

StatementLimit::StatementLimit(Connection &connection, int seconds)
    : connection_(connection), kept_(connection.timeouts().statementSeconds)
{
    Timeouts limited = connection_.timeouts();
    limited.statementSeconds = seconds;
    connection_.setTimeouts(limited);
}

StatementLimit::~StatementLimit()
{
    Timeouts kept = connection_.timeouts();
    kept.statementSeconds = kept_;
    connection_.setTimeouts(kept);
}

Transaction::Transaction(Connection &connection) : connection_(connection)
{
    connection_.beginTransaction();
}

Transaction::~Transaction()
{
    if (done_)
        return;
    try {
        connection_.rollback();
    } catch (const Error &) {
        // The transaction is gone with its connection; nothing is left to undo.
    }
}

void Transaction::commit()
{
    connection_.commit();
    done_ = true;
}

} // namespace db
