#pragma once
// The vendor entry form: adds a row to `foroshandegan` or changes the vendors list's current row, through
// the list's own query, so the grid shows the change at once. Both write an audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Tforoshande_ins;
}

class Tforoshande_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tforoshande_ins(QWidget *parent = nullptr);
    ~Tforoshande_ins() override;

    Ui::Tforoshande_ins *ui;
    // The six fields, in the order a row is written.
    pagekit::EntryFields &fields() { return fields_; }

    void ins_btnClick();
    void edit_btnClick();
    void FormShow() override;

private:
    void save(bool inserting);
    pagekit::EntryFields fields_;
};
