#include "backup_file.h"
#include "db/dialect.h"
#include "db/error.h"
#include "db/query.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cstdio>

namespace backup_file {

namespace {

// rename(2) replaces the target in one step: readers see the old copy or the new one, never a part.
void replace(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw db::Error(QStringLiteral("فايل پشتيبان جايگزين نشد: ") + QDir::toNativeSeparators(to));
}

void writeSqliteCopy(db::Query &command, const QString &database, const QString &path)
{
    // SQLite writes into a file that does not exist or is empty; the temporary file is removed on every way out
    // but the successful rename.
    QTemporaryFile part(path + QStringLiteral(".XXXXXX.part"));
    if (!part.open())
        throw db::Error(QStringLiteral("فايل پشتيبان ايجاد نشد: ") + QDir::toNativeSeparators(path));
    part.close();
    prepare(command, database, part.fileName());
    command.execSql();
    replace(part.fileName(), path);
    part.setAutoRemove(false);
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

bool isPlainIdentifier(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[\\p{L}_][\\p{L}\\p{N}_]{0,127}$"));
    return plain.match(name).hasMatch();
}

void prepare(db::Query &command, const QString &database, const QString &path)
{
    command.clear();
    command.add(command.connection().dialect().backup(database), path);
}

void write(db::Query &command, const QString &database, const QString &path)
{
    if (command.connection().engine() == db::Engine::SQLite) {
        writeSqliteCopy(command, database, path);
        return;
    }
    prepare(command, database, path);
    command.execSql();
}

} // namespace backup_file
