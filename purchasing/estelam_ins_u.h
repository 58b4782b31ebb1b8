#pragma once
// The price-inquiry entry form: adds a row to `estelam` (the minutes of one inquiry's opening, with the
// seventeen sign-off dates) or changes the inquiries list's current row, through the list's own query, so
// the grid shows the change at once. An insert writes an audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Testelam_ins;
}

class Testelam_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Testelam_ins(QWidget *parent = nullptr);
    ~Testelam_ins() override;

    Ui::Testelam_ins *ui;
    // The 29 fields, in the order a row is written.
    pagekit::EntryFields &fields() { return fields_; }

    void ins_btnClick();
    void edit_btnClick();
    void FormShow() override;

private:
    pagekit::EntryFields fields_;
};
