#include "backup_file.h"
#include "db/dialect.h"
#include "db/error.h"
#include "db/query.h"
#include "db/statement.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>

namespace backup_file {

namespace {

constexpr int pagesPerStep = 1024;        // 4 MB of the usual pages between two signs of life
constexpr int otherBackupWaitMs = 10000;  // another backup of the same name on this machine

[[noreturn]] void fail(sqlite3 *db, int code)
{
    const db::Error error = db::detail::sqliteError(db, code);
    if (error.kind() != db::Error::Kind::Database)
        throw error;
    throw db::Error(QStringLiteral("فايل پشتيبان ايجاد نشد: ") + QString::fromUtf8(sqlite3_errstr(code)));
}

// The part file of the copy, and what SQLite may have kept beside it.
QStringList partFiles(const QString &path)
{
    const QFileInfo target(path);
    QStringList files;
    // ".part*": this copy's own; ".*.part*": the randomly named parts of earlier versions of the program.
    const QStringList patterns{target.fileName() + QStringLiteral(".part*"), target.fileName() + QStringLiteral(".*.part*")};
    for (const QString &name : target.dir().entryList(patterns, QDir::Files | QDir::Hidden | QDir::System))
        files << target.dir().filePath(name);
    return files;
}

void removeParts(const QString &path)
{
    for (const QString &file : partFiles(path))
        QFile::remove(file);
}

// The lock of one backup name on this machine. It is taken over only from a program that is gone, however
// long a live backup takes.
class BackupLock : public QLockFile {
public:
    explicit BackupLock(const QString &path) : QLockFile(path + QStringLiteral(".lock")) { setStaleLockTime(0); }
};

// What interrupted backups of other days left in the folder: their parts and locks, unless that backup is
// still being made.
void removeLeftovers(const QString &path)
{
    static const QRegularExpression leftover(QStringLiteral("^(Tavrel\\d{4}_\\d{2}_\\d{2})\\.(.*\\.)?(part|lock)"));
    const QFileInfo target(path);
    QSet<QString> names;
    for (const QString &file : target.dir().entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (const QRegularExpressionMatch match = leftover.match(file); match.hasMatch())
            names.insert(match.captured(1));
    names.remove(target.fileName());
    for (const QString &name : std::as_const(names)) {
        const QString other = target.dir().filePath(name);
        BackupLock lock(other);
        if (lock.tryLock(0))
            removeParts(other);
    }
}

// rename(2) replaces the target in one step: readers see the old copy or the new one, never a part.
void replace(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw db::Error(QStringLiteral("فايل پشتيبان جايگزين نشد: ") + QDir::toNativeSeparators(to));
}

qint64 pragmaNumber(sqlite3 *db, const char *pragma)
{
    sqlite3_stmt *statement = nullptr;
    qint64 value = 0;
    if (sqlite3_prepare_v2(db, pragma, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// Takes the room the copy needs on the disk before a page is written, so a disk without it is told at once
// and plainly (a write that fails half-way says only "disk I/O error"). The part is left empty for the copy.
// A file system that can't reserve room is written without the check.
void reserveRoom(const QString &part, qint64 bytes)
{
    QFile file(part);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw db::Error(QStringLiteral("فايل پشتيبان ايجاد نشد: ") + file.errorString());
    const int reserved = fallocate(file.handle(), 0, 0, bytes);
    const int reason = reserved == 0 ? 0 : errno;
    file.resize(0);
    if (reason == ENOSPC || reason == EDQUOT || reason == EFBIG)
        throw db::Error(db::message::diskFull, db::Error::Kind::DiskFull);
}

struct CloseDatabase {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};

// Copies the open database page by page into the part file, from one snapshot of it: writes other
// programs make meanwhile don't restart the copy.
void copyPages(sqlite3 *source, const QString &part, const Progress &progress)
{
    reserveRoom(part, pragmaNumber(source, "PRAGMA page_count") * pragmaNumber(source, "PRAGMA page_size"));
    sqlite3 *opened = nullptr;
    const int openCode = sqlite3_open_v2(QFile::encodeName(part).constData(), &opened,
                                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, CloseDatabase> target(opened);
    if (openCode != SQLITE_OK)
        fail(opened, openCode);
    // The part is thrown away whole when anything fails: it needs no journal of its own.
    sqlite3_exec(target.get(), "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);

    const bool ownSnapshot = sqlite3_get_autocommit(source) != 0;
    if (ownSnapshot)
        sqlite3_exec(source, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    sqlite3_backup *backup = sqlite3_backup_init(target.get(), "main", source, "main");
    if (!backup) {
        if (ownSnapshot)
            sqlite3_exec(source, "ROLLBACK", nullptr, nullptr, nullptr);
        fail(target.get(), sqlite3_extended_errcode(target.get()));
    }
    int code = SQLITE_OK;
    while (code == SQLITE_OK) {
        code = sqlite3_backup_step(backup, pagesPerStep);
        if (progress)
            progress(sqlite3_backup_pagecount(backup) - sqlite3_backup_remaining(backup),
                     sqlite3_backup_pagecount(backup));
    }
    sqlite3_backup_finish(backup);
    if (ownSnapshot)
        sqlite3_exec(source, "ROLLBACK", nullptr, nullptr, nullptr);
    if (code != SQLITE_DONE)
        fail(target.get(), code);
    // The copy carries the source's WAL mark; a backup is one self-contained file, readable where it lies.
    const int plain = sqlite3_exec(target.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (plain != SQLITE_OK)
        fail(target.get(), plain);
}

void writeSqliteCopy(db::Query &command, const QString &path, const Progress &progress)
{
    sqlite3 *source = db::detail::sqliteHandle(command.connection());
    // One backup of a name at a time on this machine; under the lock, a part file of that name is what an
    // interrupted backup left behind (a lock whose program is gone is taken over).
    BackupLock lock(path);
    if (!lock.tryLock(otherBackupWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            throw db::Error(QStringLiteral("فايل پشتيبان ديگري با همين نام در حال تهيه است"));
        throw db::Error(QStringLiteral("فايل پشتيبان ايجاد نشد: در اين پوشه نمي توان نوشت\n")
                        + QDir::toNativeSeparators(QFileInfo(path).path()));
    }
    removeParts(path);
    removeLeftovers(path);
    const QString part = path + QStringLiteral(".part");
    try {
        copyPages(source, part, progress);
        replace(part, path);
    } catch (...) {
        removeParts(path);
        throw;
    }
}

// SQL Server's own words for a full disk ("Write on ... failed: 112(There is not enough space on the disk.)").
bool isDiskFull(const QString &reason)
{
    return reason.contains(QStringLiteral("not enough space on the disk"), Qt::CaseInsensitive)
           || reason.contains(QStringLiteral("insufficient free space"), Qt::CaseInsensitive);
}

} // namespace

QString fileName(const QString &shamsiDate)
{
    return QStringLiteral("Tavrel") + shamsiDate.mid(0, 4) + u'_' + shamsiDate.mid(5, 2) + u'_' +
           shamsiDate.mid(8, 2);
}

QString pathIn(const QString &folder, const QString &name)
{
    return QDir::toNativeSeparators(folder) + QDir::separator() + name;
}

void prepare(db::Query &command, const QString &database, const QString &path)
{
    command.clear();
    command.add(command.connection().dialect().backup(database), path);
}

void write(db::Query &command, const QString &database, const QString &path, const Progress &progress)
{
    if (command.connection().engine() == db::Engine::SQLite) {
        writeSqliteCopy(command, path, progress);
        return;
    }
    // The server writes the file; the statement takes as long as the database needs.
    const db::StatementLimit noLimit(command.connection(), 0);
    prepare(command, database, path);
    try {
        command.execSql();
    } catch (const db::Error &error) {
        if (isDiskFull(error.text()))
            throw db::Error(db::message::diskFull + u'\n' + error.text(), db::Error::Kind::DiskFull);
        throw;
    }
}

} // namespace backup_file
