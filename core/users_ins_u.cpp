#include "users_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/picklist.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "pagekit/sorted_lists.h"
#include "places.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "users_u.h"

using namespace Qt::StringLiterals;
using pagekit::Empty;
using pagekit::Kind;

namespace {

const QString duplicateName = u"خطا، نام كاربري تكراري است"_s;

} // namespace

Tusers_ins::Tusers_ins(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tusers_ins>())
{
    ui->setupUi(this);
    setObjectName(u"users_ins"_s);
    ui->us->setLayoutDirection(Qt::LeftToRight);
    ui->nam->setLayoutDirection(Qt::RightToLeft);
    // An account with an empty name (blanks and invisible characters alone are empty) would let anyone in
    // with the name box empty. The name is stored trimmed, as sign-in matches it; the password exactly as
    // typed, a blank one too.
    pagekit::Field name{u"us"_s, ui->us, ui->usLabel->text(), Kind::Text, Empty::Refused};
    name.trimmed = true;
    fields_.setFields(u"users"_s, {
        name,
        {u"ps"_s, ui->ps, ui->psLabel->text(), Kind::Password},
        {u"lev"_s, ui->lev, ui->levLabel->text()},
        {u"ostan"_s, ui->ostan, ui->ostanLabel->text()},
        {u"semat"_s, ui->semat, ui->sematLabel->text()},
        {u"mobile"_s, ui->mobile, ui->mobileLabel->text()},
        {u"nam"_s, ui->nam, ui->namLabel->text()},
        {u"status"_s, ui->status, ui->statusLabel->text()},
    });
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tusers_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tusers_ins::edit_btnClick);
}

Tusers_ins::~Tusers_ins() = default;

void Tusers_ins::FormShow()
{
    sorted::fillKeepingText(ui->ostan, places::provinces());
    picklist::LoadPickList(ui->semat, u"گروه کاربري"_s, picklist::Rows::AllUsers, false);
    picklist::LoadPickList(ui->status, u"وضعيت کاربر"_s, picklist::Rows::AllUsers, false);
}

void Tusers_ins::clearFields()
{
    fields_.clear();
}

void Tusers_ins::loadFrom(db::Query &account)
{
    fields_.fillFrom(account);
}

void Tusers_ins::refuseTakenName(const QString &name, qint64 exceptId) const
{
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(u"select id from "_s + query.connection().dialect().lockedTable(u"users"_s) + u" where us=?"_s, name);
    if (exceptId >= 0)
        query.add(u" and id<>?"_s, exceptId);
    query.open();
    if (!query.isEmpty())
        throw ui::Refusal(duplicateName, ui->us);
}

void Tusers_ins::ins_btnClick()
{
    const pagekit::Values values = fields_.checked(true);
    const QString name = values[u"us"_s].toString();
    db::Query &list = forms::users->openList();
    pagekit::Save save;
    save.query = &list;
    save.lockedChecks = [&] { refuseTakenName(name); };
    save.fill = [&](db::Query &row) {
        row.fieldByName(u"ver"_s).setString(u""_s);
        fields_.writeTo(row, values);
    };
    save.audit = [&]() -> QString { return u" ثبت کاربر جديد "_s + name + u" "_s + values[u"ostan"_s].toString(); };
    save.done = u"ثبت شد"_s;
    pagekit::saveRow(save);
    // The list runs its statement again with the new account current, so the rights given next are its own.
    list.refresh();
}

void Tusers_ins::edit_btnClick()
{
    db::Query &list = *forms::dm->adoq_user;
    if (!pagekit::hasCurrentRow(list))
        return;
    const pagekit::Values values = fields_.checked(false);
    const QString name = values[u"us"_s].toString();
    const qint64 id = list.fieldByName(u"id"_s).asInteger();
    pagekit::Save save;
    save.query = &list;
    save.mode = db::Query::State::Edit;
    // Never its own duplicate: the account being edited is left out.
    save.lockedChecks = [&] { refuseTakenName(name, id); };
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    save.audit = [&]() -> QString { return u" ويرايش کاربر "_s + name + u" "_s + values[u"ostan"_s].toString(); };
    pagekit::saveRow(save);
    list.refresh();
    close();
}
