#include "platform/files.h"
#include "db/error.h"
#include "platform/platform.h"
#include "ui/busy.h"
#include "ui/dialogs.h"
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// File names are limited to 255 bytes; the rest leaves room for a number that makes a name unique.
constexpr qsizetype maxNameBytes = 200;
constexpr qsizetype maxKeptSuffix = 10;

QString withNumber(const QString &name, int number)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    return info.completeBaseName() + u'-' + QString::number(number) + (suffix.isEmpty() ? QString() : u'.' + suffix);
}

bool isUnsafeInName(QChar c)
{
    return c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control;
}

// The invisible marks that reorder the text around them: "\u202Etxt.sh" shows as "hs.txt". The joiners
// that Persian words need (U+200C, U+200D) stay.
bool isDirectionMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

[[noreturn]] void notWritten(const QString &path, const QString &reason)
{
    throw db::Error(u"فايل نوشته نشد: "_s + QDir::toNativeSeparators(path) + u" ("_s + reason + u')');
}

} // namespace

QString privateTempFolder()
{
    struct KeptFolder {
        QTemporaryDir dir{QDir::tempPath() + u"/tavrel-XXXXXX"_s};
        KeptFolder()
        {
            dir.setAutoRemove(false);
            if (dir.isValid())
                QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    };
    static KeptFolder folder;
    if (!folder.dir.isValid())
        throw db::Error(u"پوشه موقت ساخته نشد: "_s + folder.dir.errorString());
    return folder.dir.path();
}

QString cleanExtension(const QString &extension)
{
    QString clean;
    clean.reserve(extension.size());
    for (const QChar c : extension)
        if (!isDirectionMark(c))
            clean += isUnsafeInName(c) ? QChar(u'_') : c;
    return clean;
}

QString cleanFileName(const QString &name)
{
    QString clean = cleanExtension(name);
    qsizetype lead = 0;
    while (lead < clean.size() && (clean.at(lead) == u'.' || clean.at(lead).isSpace()))
        ++lead;
    clean.remove(0, lead);

    if (QFile::encodeName(clean).size() <= maxNameBytes)
        return clean;
    const QString suffix = QFileInfo(clean).suffix();
    const QString tail = suffix.isEmpty() || suffix.size() > maxKeptSuffix ? QString() : u'.' + suffix;
    QString base = clean.left(clean.size() - tail.size());
    while (!base.isEmpty() && QFile::encodeName(base + tail).size() > maxNameBytes)
        base.chop(base.size() > 1 && base.back().isLowSurrogate() ? 2 : 1);
    return base + tail;
}

bool writeFileAtomically(const QString &path, const std::function<bool(QIODevice &file)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        notWritten(path, file.errorString());
    // A replaced file keeps its permissions, but never the right to run it.
    file.setPermissions(file.permissions()
                        & ~(QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther));
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        notWritten(path, file.errorString());
    return true;
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    writeFileAtomically(path, [&](QIODevice &file) {
        if (file.write(bytes) != bytes.size())
            notWritten(path, file.errorString());
        return true;
    });
}

QString freeTempPath(const QString &name)
{
    QString clean = cleanFileName(name);
    if (clean.isEmpty())
        clean = u"file"_s;
    const QDir folder(privateTempFolder());
    QString path = folder.filePath(clean);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(withNumber(clean, n));
    return path;
}

QString writeTempFile(const QString &name, const QByteArray &bytes)
{
    const QString path = freeTempPath(name);
    writeFileAtomically(path, bytes);
    return path;
}

QString withExtension(const QString &chosen, const QString &extension)
{
    const QString clean = cleanExtension(extension);
    if (clean.isEmpty() || chosen.endsWith(clean, Qt::CaseInsensitive))
        return chosen;
    return chosen + clean;
}

QString confirmedPath(const QString &chosen, const QString &extension)
{
    const QString path = withExtension(chosen, extension);
    if (path != chosen && QFileInfo::exists(path)
        && ui::dialogs().ask(u"فايل «"_s + QFileInfo(path).fileName() + u"» وجود دارد. آيا جايگزين شود؟"_s,
                             QString(), ui::Buttons::YesNo, ui::Icon::Warning)
               != ui::Answer::Yes)
        return QString();
    return path;
}

QString writeChosenFile(const QString &chosen, const QString &extension, const QByteArray &bytes)
{
    const QString path = confirmedPath(chosen, extension);
    if (path.isEmpty())
        return QString();
    const ui::BusyCursor busy;
    writeFileAtomically(path, bytes);
    return path;
}

void openOrTell(const QString &path)
{
    if (!openWithDesktop(path))
        ui::showMessage(u"برنامه‌اي براي باز کردن اين فايل پيدا نشد. فايل در اين مسير ذخيره شد:\n"_s
                        + QDir::toNativeSeparators(path));
}

} // namespace platform
