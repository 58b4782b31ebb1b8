#pragma once
// Changes the password of the user named in the sign-in form, which has already found that user.
#include "ui_change_pass_u.h"
#include <QDialog>

class Tchange_pass : public QDialog {
    Q_OBJECT
public:
    explicit Tchange_pass(QWidget *parent = nullptr);
    ~Tchange_pass() override;

    Ui::Tchange_pass ui;

    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void reject() override;  // BitBtn2 and the close box
};
