#pragma once
// The warehouse movement entry form: a movement of registered goods into or out of a warehouse, which
// changes the goods' stock in the same write transaction; or the changes of a stored movement's date, time,
// places, persons and remarks (what an edit leaves alone is shown disabled). `mande` shows the stock of the
// chosen goods, and after a save the new stock.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"
#include <QVariant>
#include <memory>

namespace Ui {
class Tanbar_ins;
}

class Tanbar_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tanbar_ins(QWidget *parent = nullptr);
    ~Tanbar_ins() override;

    std::unique_ptr<Ui::Tanbar_ins> ui;

    // The list page's commands: an empty movement dated now, or the list's current movement to edit.
    void prepareNew();
    void prepareEdit();

    void FormShow() override; // the warehouse, unit and used-value lists
    void namChange();         // the user changed the warehouse: its goods
    void kala_codChange();    // the user changed the code: description, unit and stock
    void kala_cmtChange();    // the user changed the description: code, unit and stock
    void Label6Click();       // today's date
    void Label7Click();       // the current time
    void Label16Click();      // no date
    void Label15Click();      // no time
    void ins_btnClick();
    void edit_btnClick();

private:
    void fillGoodsLists();
    void showGoods(const QString &column, const QVariant &value);
    void setMovementFieldsEnabled(bool enabled);
    pagekit::EntryFields movement_;  // every field of a new movement
    pagekit::EntryFields editable_;  // what an edit stores
    QVariant editedId_;
};
