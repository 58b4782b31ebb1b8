#pragma once
// The insurance policy entry form: a new policy, after the warnings on a policy that seems entered twice, with
// its audit row; or the changes of the list's current policy, which close the form.
#include "pagekit/entry_fields.h"
#include "pagekit/page.h"
#include <memory>

class QComboBox;

namespace Ui {
class Tbime_ins;
}

class Tbime_ins : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tbime_ins(QWidget *parent = nullptr);
    ~Tbime_ins() override;

    std::unique_ptr<Ui::Tbime_ins> ui;
    pagekit::EntryFields fields;

    // The list page's commands: a new policy (premium "0"), or the list's current policy to edit.
    void prepareNew();
    void prepareEdit();

    void FormShow() override; // the three pick lists of every user's values
    void ins_btnClick();
    void edit_btnClick();

    // The three pick lists, for this form and the list page's filters alike.
    static void loadPickLists(QComboBox *bimename, QComboBox *bimekonande, QComboBox *prj_name, bool selectSingle);

private:
    static QString auditText(const pagekit::Values &values);
};
