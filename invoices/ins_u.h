#pragma once
// The invoice entry form: appends a row to `chek`, edits the register's current row or deletes it. The
// register fills the fields and leaves exactly one of the three buttons visible; the form writes through the
// register's own query, works out the 6% tax and 3% levy from the amount, copies a shop's latest contact
// details, and runs the register's search when it closes. It writes no audit row.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Tchek_ins;
}

class Tchek_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tchek_ins(QWidget *parent = nullptr);
    ~Tchek_ins() override;

    Ui::Tchek_ins *ui;

    enum class Mode { New, Edit, Delete };
    // The register's preparation: the fields emptied with the defaults of a new row, or filled from the
    // list's current row; the mode's button alone shown; then the form is shown modally.
    void showFor(Mode mode);

    // The 22 fields in the order a row is written (user_id is stamped on insert only).
    const pagekit::EntryFields &fields() const { return fields_; }

    void FormShow() override;
    void ins_btnClick();
    void edit_btnClick();
    void del_btnClick();
    void FormClose();
    void mablaghExit();
    void varizExit();
    void cmtExit();
    void avarezExit();
    void foroshgahChange();
    void Label10Click(); // remarks: kaf in every row
    void Label12Click(); // shop: kaf in every row
    void Label8Click();  // subject: kaf in every row
    void Label6Click();  // empties the date
    void Label13Click(); // empties the fiscal year

private:
    void declareFields();
    void connectHandlers();
    void installKeys();
    // Every field checked and converted before anything is written; a refusal names the field.
    pagekit::Values checkedValues(bool inserting);
    bool remarksAccepted(const pagekit::Values &values);
    void refuseDuplicate(const pagekit::Values &values);

    pagekit::EntryFields fields_;
    qint64 amountOfTax_ = 0; // the amount the shown tax and levy belong to
};
