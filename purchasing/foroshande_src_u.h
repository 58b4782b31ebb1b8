#pragma once
// The vendors register: the rows of `foroshandegan` under five switchable filters and their count, with the
// commands new, edit, delete, export, import from the purchases register and close. The grid shows the data
// module's ADOQ_foroshande, to which the entry form appends and in which it edits.
#include "export/excel_export.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"

namespace Ui {
class Tforoshande_src;
}
namespace db {
class QueryModel;
}

class Tforoshande_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tforoshande_src(QWidget *parent = nullptr);
    ~Tforoshande_src() override;

    Ui::Tforoshande_src *ui;
    db::QueryModel &gridModel() const { return *model_; }

    // The export's header captions: every column captioned but the code, whose caption is empty.
    static excel::Captions exportCaptions();

    void src_btnClick();
    void N1Click(); // new
    void N2Click(); // edit
    void N3Click(); // delete
    void N4Click(); // export
    void N7Click(); // import from the purchases register
    void N5Click(); // close
    void FormShow() override;

private:
    pagekit::FilterTable filters_{QStringLiteral("foroshandegan")};
    db::QueryModel *model_ = nullptr;
};
