#pragma once
// Messages between users (table payamha, one row per recipient): the signed-in user's received messages
// (every message for "admin"), sending to the users ticked in the recipients list, marking read, who sent
// or received a message, and deleting for "admin". Closing the page refreshes the menu's unread mark.
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tpayam;
}
namespace db {
class Query;
}

class Tpayam : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tpayam(QWidget *parent = nullptr);
    ~Tpayam() override;

    std::unique_ptr<Ui::Tpayam> ui;

    // The messages command's list on ADOQ_payam: the user's received messages, newest first.
    static void openList();
    // How a user is shown and picked: province*level*position*name of their users row.
    static QString recipientItem(db::Query &user);

    void FormShow() override; // the subject and recipients lists
    void BitBtn1Click();      // send
    void N1Click();           // mark read
    void N3Click();           // delete ("admin" only)
    void N6Click();           // who sent it
    void N2Click();           // who received it

protected:
    void done(int result) override; // the page closes: the unread mark follows the count

private:
    void showCurrentText();
    void showPopup(const QPoint &pos);
    void showUser(const QString &statement, const QVariant &key);
};
