#pragma once
// The reference files of the office, kept in `zamaem` under a description and belonging to no record:
// program updates (the sign-in offers the newest one), help documents, signature images and report files.
// A click writes a file into the private temporary folder and opens it.
#include "pagekit/picture_store.h"
#include <memory>

namespace Ui {
class Tzamaem;
}

class Tzamaem : public attachments::PictureStore {
    Q_OBJECT
public:
    explicit Tzamaem(QWidget *parent = nullptr);
    ~Tzamaem() override;

    std::unique_ptr<Ui::Tzamaem> ui;

    void FormShow() override;  // the description list
    void Combo_typeChange();   // the rows of the description
    void ins_btnClick() { image1_btnClick(); }
    void N1Click() override;   // delete, the description kept in its box
};
