#pragma once
// The users page: the accounts of table users with four filters and a count, the entry form's new and edit
// commands, the spreadsheet export, and two editors for the account chosen in the grid: its page rights
// (table dastrasi) and its allowed counties (table dastrasi2). Its foot shows the signed-in user.
#include "ui_users_u.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <QVector>
#include <memory>

class QCheckBox;
namespace db {
class Query;
class QueryModel;
}

class Tusers : public pagekit::Page {
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

    // Showing the page: the province combos and the user groups are filled afresh.
    void FormShow() override;

    // The list
    void src_btnClick();
    void N5Click();
    void N6Click();
    void N7Click();
    void N8Click();
    void N9Click();

    // Page rights: the boxes always show the account of the grid's current row, however it became current
    // (a click, the keyboard, a new search, a save); saving writes them to that account.
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

private:
    void connectHandlers();
    void installOpener();
    void showSignedInUser();
    void clearRightBoxes();

    db::QueryModel *model_;
    pagekit::FilterTable filters_{QStringLiteral("users")};
    QVector<PageRightBoxes> rightBoxes_;
};
