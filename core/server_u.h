#pragma once
// The connection settings form: how this workstation reaches its local database, stored per user.
#include "ui_server_u.h"
#include <QDialog>

class Tserver : public QDialog {
    Q_OBJECT
public:
    explicit Tserver(QWidget *parent = nullptr);
    ~Tserver() override;

    Ui::Tserver ui;

    void FormShow();
    void Button1Click();
    void Button2Click();
    void RadioGroup1Click();
    void StaticText1Click();
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label5Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The texts of RadioGroup1's items 0, 1 and 2.
    static QString authenticationOf(int item);
    static int itemOf(const QString &authentication);
    void selectKind(int item);
    void proposeLocalFile();
};
