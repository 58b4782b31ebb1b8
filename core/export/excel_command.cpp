// The export command of the list pages: the workbook goes to this run's private temporary folder, under a
// name made of the page and today's solar date, and the desktop opens it.
#include "persian/Dates.h"
#include "db/error.h"
#include "db/query.h"
#include "export/excel_export.h"
#include "export/xlsx_book.h"
#include "platform/files.h"
#include "ui/busy.h"
#include "ui/progress.h"
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace excel {

namespace {

// "<page>-<yyyy-mm-dd>.xlsx"; the folder numbers a later export of the same page on the same day.
QString exportName(const QString &pageName)
{
    const QString page = platform::cleanFileName(pageName).isEmpty() ? u"export"_s : pageName;
    return page + u'-' + QString(shamsiToday()).replace(u'/', u'-') + u".xlsx"_s;
}

// Writes the workbook under a scratch name, so a cancelled or failed export leaves nothing, then gives it its
// own name. Returns its path; empty when the user cancelled.
QString writtenWorkbook(db::Query &dataSet, const Captions &captions, const QString &pageName,
                        const QStringList &leftOut)
{
    ui::BusyCursor busy;
    if (!dataSet.active())
        dataSet.open();
    ui::Progress progress(u"در حال ساختن فايل اکسل"_s, knownRows(dataSet));
    QTemporaryFile scratch(QDir(platform::privateTempFolder()).filePath(u"XXXXXX.part"_s));
    if (!scratch.open())
        throw db::Error(failure(scratch.fileName(), scratch.errorString()));
    if (!writeWorkbook(dataSet, captions, scratch.fileName(), &progress, leftOut))
        return QString();
    // The writer made its own file at the scratch name: that file is moved to its name, so nothing is left.
    const QString path = platform::freeTempPath(exportName(pageName));
    QFile written(scratch.fileName());
    if (!written.rename(path))
        throw db::Error(failure(path, written.errorString()));
    return path;
}

} // namespace

QString ExportGridToExcel(db::Query &dataSet, const Captions &captions, const QString &pageName,
                          const QStringList &leftOut)
{
    const QString path = writtenWorkbook(dataSet, captions, pageName, leftOut);
    if (!path.isEmpty())
        platform::openOrTell(path);
    return path;
}

} // namespace excel
