// The page rights editor of the users page: the four boxes of each page show and set the account's row of
// table dastrasi for that page.
#include "dm_u.h"
#include "forms.h"
#include "page_rights.h"
#include "ui/dialogs.h"
#include "users_u.h"
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The pages in the order their rights are written.
const QStringList &saveOrder()
{
    static const QStringList order{
        rights::key::faktor,
        rights::key::zamaem,
        rights::key::abadiha,
        rights::key::anbar,
        rights::key::kala,
        rights::key::estelam,
        rights::key::tavrelkol,
        rights::key::bime,
        rights::key::darkhast,
        rights::key::foroshande,
        rights::key::setting,
        rights::key::phone,
        rights::key::karbaran,
    };
    return order;
}

// The users page's own rights of the account "admin" are never rewritten here, so the administrator
// cannot lock themselves out of granting rights.
bool keptAsItIs(const QString &userName, const QString &key)
{
    return key == rights::key::karbaran && userName == u"admin"_s;
}

} // namespace

// The boxes then belong to no account, so a save writes nothing until an account is clicked again.
void Tusers::forgetShownRights()
{
    rightsShownFor_.reset();
    for (const PageRightBoxes &page : rightBoxes_)
        for (QCheckBox *box : {page.insert, page.edit, page.remove, page.view})
            box->setChecked(false);
}

void Tusers::DBGrid1CellClick()
{
    if (!hasCurrentUser())
        return;
    forgetShownRights();

    const qint64 userId = forms::dm->adoq_user->fieldByName(u"id"_s).asInteger();
    db::Query &rows = *forms::dm->ADOQ_dastrasi;
    rows.clear();
    rows.add(u"select * from dastrasi where prs_id=?"_s, userId);
    rows.open();
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString key = rows.fieldByName(u"page_name"_s).asString();
        for (const PageRightBoxes &page : rightBoxes_) {
            if (page.key != key)
                continue;
            page.insert->setChecked(rights::bit(rows, u"darj"_s));
            page.edit->setChecked(rights::bit(rows, u"virayesh"_s));
            page.remove->setChecked(rights::bit(rows, u"hazf"_s));
            page.view->setChecked(rights::bit(rows, u"namayesh"_s));
        }
    }
    rightsShownFor_ = userId;
}

void Tusers::ins_btn2Click() { SaveUserPageRights(); }

// The boxes are written to the account they were loaded for: the current row moves with the keyboard too,
// and the boxes of one account must never land on another. All thirteen pages are written in one
// transaction: a refused statement leaves every old row in place.
void Tusers::SaveUserPageRights()
{
    if (!hasCurrentUser() || !rightsShownFor_)
        return;
    const qint64 userId = *rightsShownFor_;
    db::Query &account = *forms::dm->ADOQuery1; // its name now: it may have been edited since
    account.clear();
    account.add(u"select us from users where id=?"_s, userId);
    account.open();
    if (account.isEmpty())
        return;
    const QString userName = account.fieldByName(u"us"_s).asString();

    db::Connection &connection = forms::dm->ADOConnection1;
    db::Transaction transaction(connection);
    for (const QString &key : saveOrder()) {
        if (keptAsItIs(userName, key))
            continue;
        const auto page = std::find_if(rightBoxes_.cbegin(), rightBoxes_.cend(),
                                       [&](const PageRightBoxes &p) { return p.key == key; });
        connection.exec(u"delete from dastrasi where prs_id=? and page_name=?"_s, {userId, key});
        connection.exec(u"insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) values (?,?,?,?,?,?)"_s,
                        {userId, key, page->insert->isChecked(), page->edit->isChecked(), page->remove->isChecked(),
                         page->view->isChecked()});
    }
    transaction.commit();
    ui::showMessage(u"ثبت شد"_s);
}
