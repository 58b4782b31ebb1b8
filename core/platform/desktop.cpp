#include "platform/platform.h"
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

std::function<bool(const QString &)> &replacedOpener()
{
    static std::function<bool(const QString &)> opener;
    return opener;
}

} // namespace

bool openWithDesktop(const QString &path)
{
    if (const auto &opener = replacedOpener())
        return opener(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setFileOpener(std::function<bool(const QString &path)> opener)
{
    replacedOpener() = std::move(opener);
}

QString appDataFolder()
{
    // The application data location of the organisation and program, built from the generic one so that it
    // does not depend on the names the running executable was given.
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                               .filePath(organisationName() + u'/' + programName());
    QDir().mkpath(folder);
    return folder;
}

} // namespace platform
