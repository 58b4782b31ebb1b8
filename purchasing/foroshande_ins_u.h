#pragma once
// The vendor entry form: adds a row to `foroshandegan` or changes the vendors list's current row, through
// the list's own query, so the grid shows the change at once. Both write an audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Tforoshande_ins;
}
namespace db {
class Query;
}

class Tforoshande_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tforoshande_ins(QWidget *parent = nullptr);
    ~Tforoshande_ins() override;

    Ui::Tforoshande_ins *ui;

    // The list page's new command: the six fields emptied, shown for an insert.
    void prepareNew();
    // The list page's edit command: the fields show the list's current row, shown for an edit.
    void prepareEdit(db::Query &list);

    void ins_btnClick();
    void edit_btnClick();
    void FormShow() override;

private:
    void save(bool inserting);
    pagekit::EntryFields fields_;
};
