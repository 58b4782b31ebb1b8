#pragma once
// The price-inquiry entry form: adds a row to `estelam` (the minutes of one inquiry's opening, with the
// seventeen sign-off dates) or changes the inquiries list's current row, through the list's own query, so
// the grid shows the change at once. An insert writes an audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Testelam_ins;
}
namespace db {
class Query;
}

class Testelam_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Testelam_ins(QWidget *parent = nullptr);
    ~Testelam_ins() override;

    Ui::Testelam_ins *ui;

    // The list page's new command: the fields emptied, this year and its next row number, quantity and
    // amounts "0", shown for an insert with the focus on the title.
    void prepareNew();
    // The list page's edit command: the fields show the list's current row, shown for an edit.
    void prepareEdit(db::Query &list);

    void ins_btnClick();
    void edit_btnClick();

private:
    pagekit::EntryFields fields_;
};
