// The invoice register's reports menu: the list as a workbook, the totals per statement number, the HTML
// report to a chosen file or opened in the browser, the second workbook, and the year repair. Each works on
// the list the last search left and leaves its current row where it was.
#include "accounts_workbook.h"
#include "chek_html.h"
#include "dm_u.h"
#include "export/excel_export.h"
#include "forms.h"
#include "pagekit/listpage.h"
#include "platform/files.h"
#include "src_chek_u.h"
#include "ui/busy.h"
#include "ui/dialogs.h"
#include "ui_src_chek_u.h"
#include "year_repair.h"
#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QString saveFilter = u"Excel Files (*.xls);;Excel Files 2007 (*.xlsx);;All Files (*.*)"_s;

db::Query &list()
{
    return *forms::dm->ADOQ_chek;
}

} // namespace

void Tchek_src::N31Click()
{
    // No captions: the sheet is headed by the field names.
    excel::ExportGridToExcel(list(), {}, u"chek"_s);
}

void Tchek_src::N13Click()
{
    const listpage::FilterLines lines = totalsLines();
    db::Query &totals = *forms::dm->ADOQuery1;
    totals.clear();
    // Each amount in whole rials before it is added, as the register's own totals count it.
    totals.add(u"select rizhazine,sum(round(mablagh,0)) as mablagh  from chek"_s);
    totals.add(u" where id<>-1"_s);
    lines.addTo(totals);
    totals.add(u" group by rizhazine "_s);
    {
        ui::BusyCursor busy;
        totals.open();
    }
    excel::ExportGridToExcel(totals, {}, u"rizhazine"_s);
}

void Tchek_src::N10Click()
{
    const QString path = ui::dialogs().saveFile(QString(), saveFilter, lastHtmlName_);
    if (path.isEmpty())
        return;
    lastHtmlName_ = path;
    if (invoices::saveHtmlReport(list(), path))
        ui::showMessage(u"فايل گزارش تهيه شد"_s);
}

void Tchek_src::N11Click()
{
    // One fixed file in the private folder, replaced by each report.
    const QString path = QDir(platform::privateTempFolder()).filePath(u"Velmaroshtikandaz.htm"_s);
    if (invoices::saveHtmlReport(list(), path))
        platform::openOrTell(path);
}

void Tchek_src::N21Click()
{
    const QString chosen = ui::dialogs().saveFile(QString(), saveFilter, lastWorkbookName_);
    if (chosen.isEmpty())
        return;
    // A typed name gets the workbook's extension; a file of that name is replaced only when the user says so.
    const QString path = platform::confirmedPath(chosen, u".xlsx"_s);
    if (path.isEmpty())
        return;
    lastWorkbookName_ = path;
    invoices::saveAccountsWorkbook(list(), path);
}

void Tchek_src::N8Click()
{
    // Asked until the answer is two digits; Cancel leaves every date as it is.
    std::optional<QString> century;
    do {
        century = ui::dialogs().input(u"Year"_s, u"2رقم اول سال 4رقمي"_s, u"13"_s);
        if (!century)
            return;
    } while (!invoices::isCentury(*century));
    {
        ui::BusyCursor busy;
        invoices::repairTwoDigitYears(*century);
    }
    // The list, its labels and what prints and exports read show the repaired dates under the filters.
    BitBtn1Click();
}
