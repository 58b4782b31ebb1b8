#pragma once
// The users page: the accounts of table users with four filters and a count, the entry form's new and edit
// commands, the spreadsheet export, and two editors for the account chosen in the grid: its page rights
// (table dastrasi) and its allowed counties (table dastrasi2). Its foot shows the signed-in user.
#include "ui_users_u.h"
#include <QDialog>
#include <QVector>
#include <memory>
#include <optional>

class QCheckBox;
namespace db {
class Query;
class QueryModel;
}

class Tusers : public QDialog {
    Q_OBJECT
public:
    explicit Tusers(QWidget *parent = nullptr);
    ~Tusers() override;

    std::unique_ptr<Ui::Tusers> ui;

    // The four check boxes of one page's rights row, under the page's key in table dastrasi.
    struct PageRightBoxes {
        QString key;
        QCheckBox *insert;
        QCheckBox *edit;
        QCheckBox *remove;
        QCheckBox *view;
    };
    const QVector<PageRightBoxes> &rightBoxes() const { return rightBoxes_; }

    // The users query as the list last left it, opened when it is not (with every account when it holds no
    // statement yet): the entry form appends to it and edits its current row.
    db::Query &openList();

    // The main menu's command for this page (key "karbaran"): checks the signed-in user's rights, which
    // switch the insert, edit and delete commands, clears the filters and pickers, sizes the page to the
    // main window and shows it.
    void openUsersPage();

    // Showing the page: the province combos and the user groups are filled afresh.
    void FormShow();

    // The list
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void src_btnClick();
    void N5Click();
    void N6Click();
    void N7Click();
    void N8Click();
    void N9Click();

    // Page rights: a click on the grid shows the current row's account; saving writes the boxes to the account
    // they show, wherever the current row has moved since (nothing when no account's rights are shown).
    void DBGrid1CellClick();
    void ins_btn2Click();
    void SaveUserPageRights();

    // Allowed counties of the account in the current row
    void ostanChange();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void N3Click();
    void N1Click();
    void ins_btnClick();
    void SaveUserAllowedItems();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void connectHandlers();
    void showSignedInUser();
    bool hasCurrentUser() const;

    db::QueryModel *model_;
    QVector<PageRightBoxes> rightBoxes_;
    void forgetShownRights();
    std::optional<qint64> rightsShownFor_; // the account whose rights the boxes show
};
