#pragma once
// The purchase request entry form: adds a row to `darkhast` or changes the requests list's current row,
// through the list's own query, so the grid shows the change at once. It writes no audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Tdarkhast_ins;
}

class Tdarkhast_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tdarkhast_ins(QWidget *parent = nullptr);
    ~Tdarkhast_ins() override;

    Ui::Tdarkhast_ins *ui;
    // The 17 fields, in the order a row is written.
    pagekit::EntryFields &fields() { return fields_; }

    // A new request's row number: shown in `radif` and taken again at save time when another user has
    // stored it meanwhile (a number typed over it is stored as typed).
    void proposeNumber(qint64 number);

    void ins_btnClick();
    void edit_btnClick();
    void FormShow() override;

private:
    pagekit::EntryFields fields_;
    QString proposed_;
};
