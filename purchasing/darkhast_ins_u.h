#pragma once
// The purchase request entry form: adds a row to `darkhast` or changes the requests list's current row,
// through the list's own query, so the grid shows the change at once. It writes no audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Tdarkhast_ins;
}
namespace db {
class Query;
}

class Tdarkhast_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tdarkhast_ins(QWidget *parent = nullptr);
    ~Tdarkhast_ins() override;

    Ui::Tdarkhast_ins *ui;

    // The list page's new command: the fields emptied, today's date and year, and the next row number over
    // every year, proposed (another user storing it meanwhile moves it on at save time), shown for an insert.
    void prepareNew();
    // The list page's edit command: the fields show the list's current row, shown for an edit.
    void prepareEdit(db::Query &list);

    void ins_btnClick();
    void edit_btnClick();
    void FormShow() override;

private:
    pagekit::EntryFields fields_;
    QString proposed_; // the row number the new command proposed
};
