#pragma once
// The purchases register: the rows of `tavrelkol` under twelve switchable filters, their count and the total
// of their amounts, and the commands new, edit, delete, attachments, export, cover letter and close. The
// grid shows the data module's ADOQ_tavrel, to which the entry form appends and in which it edits.
#include "export/excel_export.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"

namespace Ui {
class Ttavrelkol_src;
}
namespace db {
class QueryModel;
}

class Ttavrelkol_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Ttavrelkol_src(QWidget *parent = nullptr);
    ~Ttavrelkol_src() override;

    Ui::Ttavrelkol_src *ui;
    db::QueryModel &gridModel() const { return *model_; }

    // The export's header captions: fifteen fields captioned, every other field of the list an empty caption.
    static excel::Captions exportCaptions();

    void src_btnClick();
    void N1Click(); // new
    void N2Click(); // edit; also a double click on the grid
    void N3Click(); // delete
    void N6Click(); // attachments
    void N4Click(); // export
    void N7Click(); // cover letter
    void N5Click(); // close
    void DBGrid1CellClick();
    void usChange();
    void FormShow() override;
    void mablagh_kol_sumClick();

private:
    pagekit::FilterTable filters_{QStringLiteral("tavrelkol")};
    db::QueryModel *model_;
};
