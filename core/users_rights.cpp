// The page rights editor of the users page: the four boxes of each page show and set the account's row of
// table dastrasi for that page.
#include "dm_u.h"
#include "forms.h"
#include "pagekit/rows.h"
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

void Tusers::clearRightBoxes()
{
    for (const PageRightBoxes &page : rightBoxes_)
        for (QCheckBox *box : {page.insert, page.edit, page.remove, page.view})
            box->setChecked(false);
}

// The boxes show the rights of the current row's account; with no current row (or a row not yet stored)
// they are all clear, and neither they nor their save can be used: they would belong to no account.
void Tusers::DBGrid1CellClick()
{
    clearRightBoxes();
    db::Query &users = *forms::dm->adoq_user;
    const bool shown = pagekit::hasCurrentRow(users) && users.state() == db::Query::State::Browse
                       && !users.fieldByName(u"id"_s).isNull();
    ui->rightsBox->setEnabled(shown);
    if (!shown)
        return;
    db::Query &rows = *forms::dm->ADOQ_dastrasi;
    rows.clear();
    rows.add(u"select * from dastrasi where prs_id=?"_s, users.fieldByName(u"id"_s).asInteger());
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
}

void Tusers::ins_btn2Click() { SaveUserPageRights(); }

// The boxes are written to the account of the current row, the one they show. All thirteen pages are written
// in one transaction: a refused statement leaves every old row in place.
void Tusers::SaveUserPageRights()
{
    db::Query &users = *forms::dm->adoq_user;
    if (users.fieldByName(u"id"_s).isNull()) // no current row, or one not stored yet
        return;
    const qint64 userId = users.fieldByName(u"id"_s).asInteger();
    const QString userName = users.fieldByName(u"us"_s).asString();

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
