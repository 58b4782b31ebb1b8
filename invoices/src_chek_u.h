#pragma once
// The invoice and payment register: the rows of `chek` under eleven caption-switched filters and the own-rows
// rule, newest date first, with their count, the totals of deposits, debits and amounts, and the petty-cash
// balance. Its menu prepares the entry form for a new, edited or deleted row, prints and exports the list,
// and repairs two-digit years. The grid shows the data module's ADOQ_chek, through which the entry form writes.
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include "rizhazine_rep_u.h"

namespace Ui {
class Tchek_src;
}
namespace db {
class Query;
class QueryModel;
}
namespace listpage {
class FilterLines;
}

class Tchek_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tchek_src(QWidget *parent = nullptr);
    ~Tchek_src() override;

    Ui::Tchek_src *ui;
    db::QueryModel &gridModel() const { return *model_; }

    void FormShow() override;
    void BitBtn1Click(); // the search, also run when the entry form closes
    void usChange();
    void mablaghExit();
    void bedehkariExit();
    void foroshgahExit();
    void cmtExit();
    void mozoExit();
    void variz_sumClick();
    void mablagh_sumClick();
    void bedehkari_sumClick();
    void tankhah_mandeClick();
    void DBGrid1CellClick();

    void N3Click();  // new
    void N4Click();  // edit
    void N5Click();  // delete
    void N14Click(); // attachments
    void N2Click();  // expense statement on letterhead
    void N1Click();  // plain expense statement
    void N7Click();  // project expense statement
    void N31Click(); // workbook of the list
    void N13Click(); // totals per statement number
    void N10Click(); // HTML report to a chosen file
    void N11Click(); // HTML report opened in the browser
    void N21Click(); // the second workbook
    void N8Click();  // year repair
    void N12Click(); // close

    // The search's filter lines: the own-rows rule (users of level "ostan" exempt), the user filter, then every
    // filter switched on.
    listpage::FilterLines searchLines() const;
    // The statement totals' lines: the own-rows rule (the sign-in name "admin" exempt), then every filter
    // switched on but the user filter.
    listpage::FilterLines totalsLines() const;

private:
    void printStatement(Trizhazine_rep::Variant variant);
    void declareFilters();
    void declareMenu();
    void connectHandlers();

    pagekit::FilterTable filters_{QStringLiteral("chek")};
    mutable bool userFilterApplies_ = true; // off while the statement totals take the filters' lines
    db::QueryModel *model_ = nullptr;
    // The save dialog proposes each report's own last file, so that one never proposes the other's.
    QString lastHtmlName_ = QStringLiteral("report.xls");
    QString lastWorkbookName_ = QStringLiteral("Report.xlsx");
};
