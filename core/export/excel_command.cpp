// The export command of the list pages: the workbook goes to this run's private temporary folder, under a
// name made of the page and today's solar date, and the desktop opens it.
#include "persian/Dates.h"
#include "db/error.h"
#include "db/query.h"
#include "export/excel_export.h"
#include "platform/files.h"
#include "ui/busy.h"
#include "ui/progress.h"
#include <QDir>
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

// The workbook as bytes: the writer makes it in a scratch file of the private folder, removed afterwards.
// Empty when the user cancelled.
QByteArray workbookBytes(db::Query &dataSet, const Captions &captions, const QStringList &leftOut)
{
    ui::BusyCursor busy;
    if (!dataSet.active())
        dataSet.open();
    ui::Progress progress(u"در حال ساختن فايل اکسل"_s, dataSet.recordCount());
    QTemporaryFile scratch(QDir(platform::privateTempFolder()).filePath(u"XXXXXX.part"_s));
    if (!scratch.open())
        throw db::Error(u"فايل اکسل نوشته نشد: "_s + scratch.errorString());
    if (!writeWorkbook(dataSet, captions, scratch.fileName(), &progress, leftOut))
        return QByteArray();
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        throw db::Error(u"فايل اکسل نوشته نشد: "_s + written.errorString());
    return written.readAll();
}

} // namespace

QString ExportGridToExcel(db::Query &dataSet, const Captions &captions, const QString &pageName,
                          const QStringList &leftOut)
{
    const QByteArray workbook = workbookBytes(dataSet, captions, leftOut);
    if (workbook.isEmpty())
        return QString();
    const QString path = platform::writeTempFile(exportName(pageName), workbook);
    platform::openOrTell(path);
    return path;
}

} // namespace excel
