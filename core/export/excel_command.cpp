// The export command of the list pages: the workbook goes to this run's private temporary folder, under a
// name made of the page and today's solar date, and the desktop opens it.
#include "export/excel_export.h"
#include "Dates.h"
#include "pagekit/private_folder.h"
#include "platform/platform.h"
#include "ui/dialogs.h"
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace excel {

namespace {

// A name part that cannot leave the folder: no separators, no control characters, no leading dots.
QString cleanNamePart(const QString &text)
{
    QString name = text;
    for (QChar &c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control)
            c = u'_';
    qsizetype dots = 0;
    while (dots < name.size() && (name.at(dots) == u'.' || name.at(dots).isSpace()))
        ++dots;
    name.remove(0, dots);
    return name;
}

// "<page>-<yyyy-mm-dd>.xlsx"; a later export of the same page on the same day gets a number.
QString exportPath(const QString &pageName)
{
    const QDir folder(pagekit::privateFolder());
    QString page = cleanNamePart(pageName);
    if (page.isEmpty())
        page = u"export"_s;
    const QString stem = page + u'-' + cleanNamePart(QString(shamsiToday()).replace(u'/', u'-'));
    QString path = folder.filePath(stem + u".xlsx"_s);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(stem + u'-' + QString::number(n) + u".xlsx"_s);
    return path;
}

} // namespace

QString ExportGridToExcel(db::Query &dataSet, const Captions &captions, const QString &pageName)
{
    const QString path = exportPath(pageName);
    writeWorkbook(dataSet, captions, path);
    if (!platform::openWithDesktop(path))
        ui::showMessage(u"برنامه‌اي براي باز کردن فايل اکسل پيدا نشد. فايل در اين مسير ذخيره شد:\n"_s
                        + QDir::toNativeSeparators(path));
    return path;
}

} // namespace excel
