#pragma once
// A cheque layout kept with the invoice forms: captions, fields, a button and a grid bound to no data. It has
// no behaviour; it is created at start-up with the other forms and never shown.
#include <QDialog>

namespace Ui {
class Tchek;
}

class Tchek : public QDialog {
    Q_OBJECT
public:
    explicit Tchek(QWidget *parent = nullptr);
    ~Tchek() override;

    Ui::Tchek *ui;
};
