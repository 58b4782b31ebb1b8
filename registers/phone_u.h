#pragma once
// The shared phone book of table `shakhsi`: one list for every user, searched as the user types, an entry
// area to add a contact and a context command to delete one. No audit row is written.
#include "db/query.h"
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tphone;
}

class Tphone : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tphone(QWidget *parent = nullptr);
    ~Tphone() override;

    std::unique_ptr<Ui::Tphone> ui;
    // The list the grid shows: the page's own query on the data module's connection, so that no other page's
    // statement ever replaces what the grid shows.
    db::Query &list() { return rows_; }

    void srcChange();   // search with the text and the choice
    void ins_btnClick(); // add
    void N1Click();      // delete the current entry

private:
    void showPopup(const QPoint &pos);
    db::Query rows_;
    pagekit::EntryFields fields_;
};
