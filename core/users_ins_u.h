#pragma once
// The user entry form: a new account, or the account in the current row of the users list, with the
// duplicate check of the user name and the audit row of every save.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"
#include "ui_users_ins_u.h"
#include <memory>

namespace db {
class Query;
}

class Tusers_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tusers_ins(QWidget *parent = nullptr);
    ~Tusers_ins() override;

    std::unique_ptr<Ui::Tusers_ins> ui;

    // Empties every field (the new-account command).
    void clearFields();
    // Copies the account of the query's current row into the fields (the edit command).
    void loadFrom(db::Query &account);

    // The province, user-group and state lists are filled afresh; the texts the fields hold stay.
    void FormShow() override;
    void ins_btnClick();
    void edit_btnClick();

private:
    // Refuses a name another account holds (inside the save's transaction).
    void refuseTakenName(const QString &name, qint64 exceptId = -1) const;

    pagekit::EntryFields fields_;
};
