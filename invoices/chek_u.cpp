#include "chek_u.h"
#include "ui_chek_u.h"

Tchek::Tchek(QWidget *parent) : QDialog(parent), ui(new Ui::Tchek)
{
    ui->setupUi(this);
}

Tchek::~Tchek()
{
    delete ui;
}
