#include "pagekit/chosen_file.h"
#include "db/connection.h"
#include "db/statement.h"
#include "ui/refusal.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace attachments {

namespace {

// Room left in an SQLite row for the description and the other columns beside the file.
constexpr qint64 rowRoom = 64 * 1024;

[[noreturn]] void refuse(const QString &text, QWidget *field)
{
    throw ui::Refusal(text, field);
}

} // namespace

QString fileExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

qint64 largestFile(db::Connection &connection)
{
    if (sqlite3 *handle = db::detail::sqliteHandle(connection))
        return qint64(sqlite3_limit(handle, SQLITE_LIMIT_LENGTH, -1)) - rowRoom;
    return std::numeric_limits<qint32>::max(); // SQL Server's image column
}

QByteArray readChosenFile(const QString &path, db::Connection &connection, QWidget *field)
{
    const QString shown = u'«' + QDir::toNativeSeparators(path) + u'»';
    const QFileInfo info(path);
    if (!info.exists())
        refuse(u"فايل "_s + shown + u" پيدا نشد"_s, field);
    if (!info.isFile())
        refuse(shown + u" فايل نيست"_s, field);
    if (fileExtension(path).size() > maxExtension)
        refuse(u"پسوند فايل "_s + shown + u" بيش از "_s + QString::number(maxExtension) + u" حرف است"_s, field);
    const qint64 largest = largestFile(connection);
    const QString tooLarge = u"فايل "_s + shown + u" بزرگتر از آن است که در بانک اطلاعاتي ذخيره شود"_s;
    if (info.size() > largest)
        refuse(tooLarge, field);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(u"فايل "_s + shown + u" خوانده نشد: "_s + file.errorString(), field);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        refuse(u"فايل "_s + shown + u" خوانده نشد: "_s + file.errorString(), field);
    if (bytes.size() > largest) // it grew while it was read
        refuse(tooLarge, field);
    return bytes;
}

} // namespace attachments
