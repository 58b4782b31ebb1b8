#pragma once
// The purchase requests list: the rows of `darkhast` under six switchable filters and two lists of values,
// their count, each row coloured by its delivery date and status, and the commands new, edit, delete,
// export, the price-inquiry letter and close. The grid shows the data module's ADOQ_darkhast, to which the
// entry form appends and in which it edits; the letter prints its current row and its whole result.
#include "export/excel_export.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <QColor>

namespace Ui {
class Tdarkhast_src;
}
namespace db {
class Query;
class QueryModel;
}

class Tdarkhast_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tdarkhast_src(QWidget *parent = nullptr);
    ~Tdarkhast_src() override;

    Ui::Tdarkhast_src *ui;
    db::QueryModel &gridModel() const { return *model_; }

    // The export's header captions: every column captioned but the status, whose caption is empty.
    static excel::Captions exportCaptions();
    // The colour of a row by its delivery date and status; invalid for the grid's own colours.
    static QColor rowColour(const db::Query &rows, int row);

    void src_btnClick();
    void N1Click(); // new
    void N2Click(); // edit; also a double click on the grid
    void N3Click(); // delete
    void N4Click(); // export
    void N8Click(); // the price-inquiry letter
    void N5Click(); // close
    void FormShow() override;

private:
    pagekit::FilterTable filters_{QStringLiteral("darkhast")};
    db::QueryModel *model_ = nullptr;
};
