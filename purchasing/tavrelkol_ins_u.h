#pragma once
// The purchase entry form: records one purchase as a row of `tavrelkol`, or changes the list's current row.
// It writes through the purchases list's own query, so a saved row shows in the list's grid at once.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"

namespace Ui {
class Ttavrelkol_ins;
}
namespace db {
class Query;
}

class Ttavrelkol_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Ttavrelkol_ins(QWidget *parent = nullptr);
    ~Ttavrelkol_ins() override;

    Ui::Ttavrelkol_ins *ui;

    // The list page's new command: the fields emptied, the defaults of a new purchase (amounts "0", not paid,
    // this year and its next secretariat number), shown for an insert.
    void prepareNew();
    // The list page's edit command: the fields show the list's current row, shown for an edit.
    void prepareEdit(db::Query &list);

    void ins_btnClick();
    void edit_btnClick();
    void FormShow() override;
    void foroshandeChange();
    void Label1Click();
    void Label2Click();
    void Label4Click();
    void Label9Click();
    void Label12Click();

private:
    // The three warnings on repeated numbers within the year, all asked; true when every one asked had Yes.
    bool repeatsAccepted(const pagekit::Values &values) const;
    void refuseDuplicate(const pagekit::Values &values) const;
    void refillFromColumn(const QString &column);

    pagekit::EntryFields fields_;
    QString proposedNumber_; // the secretariat number the new command proposed
    QString proposedYear_;   // for this year
    bool holdsProposedNumber() const;
};
