#pragma once
// The price inquiries list: the rows of `estelam` (the minutes of each inquiry's opening) under five
// switchable filters, one a date range, their count, registered minutes in green, and the commands new,
// edit, delete behind the delete password, attachments, export and close. The grid shows the data module's
// ADOQ_estelam, to which the entry form appends and in which it edits.
#include "export/excel_export.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <QColor>

namespace Ui {
class Testelam_src;
}
namespace db {
class Query;
class QueryModel;
}

class Testelam_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Testelam_src(QWidget *parent = nullptr);
    ~Testelam_src() override;

    Ui::Testelam_src *ui;
    db::QueryModel &gridModel() const { return *model_; }

    // The export's header captions: six columns captioned, every other column of the list an empty caption.
    static excel::Captions exportCaptions();
    // Green for a row with a secretariat number; invalid for the grid's own colours.
    static QColor rowColour(const db::Query &rows, int row);

    void src_btnClick();
    void N1Click(); // new
    void N2Click(); // edit; also a double click on the grid
    void N3Click(); // delete, behind the delete password
    void N6Click(); // attachments
    void N4Click(); // export
    void N5Click(); // close

private:
    pagekit::FilterTable filters_{QStringLiteral("estelam")};
    db::QueryModel *model_ = nullptr;
};
