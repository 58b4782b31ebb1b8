#pragma once
// The village entry form: adds a village to `abadiha`, refusing a code another village holds, with its audit
// row; or saves the changes of the row it was opened on. The province list offers the provinces already
// named, the county list the counties of the chosen province.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"
#include <QVariant>
#include <memory>

namespace Ui {
class Tabadiha_ins;
}

class Tabadiha_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tabadiha_ins(QWidget *parent = nullptr);
    ~Tabadiha_ins() override;

    std::unique_ptr<Ui::Tabadiha_ins> ui;
    pagekit::EntryFields fields;

    // The list page's commands: empty fields for a new village, or the list's current row to edit.
    void prepareNew();
    void prepareEdit();

    void FormShow() override; // the province list, and the counties of the province shown
    void ostanChange();       // the user changed the province: its counties, and the fields below it emptied
    void ins_btnClick();
    void edit_btnClick();

private:
    void fillCounties();
    QVariant editedId_; // the row an edit saves to
};
