#pragma once
// The goods entry form: a goods item of a warehouse with its whole-number code, its description and unit,
// each code and description once per warehouse; stock 0 when created, changed afterwards only by the
// warehouse movements. Goods that have movements keep their warehouse and code.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"
#include <QVariant>
#include <memory>

namespace Ui {
class Tkala_ins;
}

class Tkala_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tkala_ins(QWidget *parent = nullptr);
    ~Tkala_ins() override;

    std::unique_ptr<Ui::Tkala_ins> ui;
    pagekit::EntryFields fields;

    // The list page's commands: a new item with the code one above the highest of every warehouse, or the
    // list's current item to edit.
    void prepareNew();
    void prepareEdit();

    void FormShow() override; // the user's warehouses and units
    void ins_btnClick();
    void edit_btnClick(); // saves or refuses, then closes

private:
    void checkRepeats(const pagekit::Values &values, const QVariant &exceptId);
    // The item as the edit found it: what its movements name it by.
    QVariant editedId_;
    QString storedWarehouse_;
    QVariant storedCode_;
    QString storedDescription_;
};
