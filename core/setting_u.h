#pragma once
// The settings page: the values a user files under the titles of the pick lists, listed, added and deleted.
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tsetting;
}
namespace db {
class QueryModel;
}

class Tsetting : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tsetting(QWidget *parent = nullptr);
    ~Tsetting() override;

    std::unique_ptr<Ui::Tsetting> ui;

    // Lists the signed-in user's values of every title containing the combo's text.
    void componentChange();
    // Files the typed value under the chosen title for the signed-in user.
    void ins_btnClick();
    // Deletes the signed-in user's rows holding the title and value of the grid's current row.
    void N1Click();

private:
    // The main menu's command "تنظيمات": the rights of page "setting" switch the insert button and the delete
    // item; the combo and the edit start empty; the page keeps its size.
    void installOpener();
    void showPopup(const QPoint &pos);
    db::QueryModel *model_;
};
