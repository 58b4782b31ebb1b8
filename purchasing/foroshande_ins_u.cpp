#include "foroshande_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/buddy_caption.h"
#include "pagekit/listpage.h"
#include "pagekit/picklist.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "signed_in_user.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_foroshande_ins_u.h"

namespace {

const QString repeatWarning =
    QStringLiteral("هشدار!نام فروشگاه و شماره حساب تکراريست. آيا مي خواهيد ادامه دهيد؟");

db::Query &list()
{
    return *forms::dm->ADOQ_foroshande;
}

// Whether a vendor with this shop name and account number is stored already.
bool shopAndAccountRepeat(const pagekit::Values &values)
{
    return pagekit::rowExists(QStringLiteral("foroshandegan"),
                              {{QStringLiteral("foroshgah"), values[QStringLiteral("foroshgah")]},
                               {QStringLiteral("hesab_no"), values[QStringLiteral("hesab_no")]}});
}

} // namespace

Tforoshande_ins::Tforoshande_ins(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Tforoshande_ins)
{
    ui->setupUi(this);
    ui->bank->setCurrentIndex(-1); // the layout's banks choose nothing until a command fills the fields
    fields_.setFields(QStringLiteral("foroshandegan"), {
        {QString(), ui->foroshgah, pagekit::buddyCaption(ui->foroshgah)},
        {QString(), ui->hesab_no, pagekit::buddyCaption(ui->hesab_no)},
        {QString(), ui->nation, pagekit::buddyCaption(ui->nation)},
        {QString(), ui->nam, pagekit::buddyCaption(ui->nam)},
        {QString(), ui->bank, pagekit::buddyCaption(ui->bank)},
        {QString(), ui->cmt, pagekit::buddyCaption(ui->cmt)},
    });
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tforoshande_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tforoshande_ins::edit_btnClick);
}

Tforoshande_ins::~Tforoshande_ins()
{
    delete ui;
}

void Tforoshande_ins::prepareNew()
{
    fields_.clear();
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, true);
}

void Tforoshande_ins::prepareEdit(db::Query &rows)
{
    fields_.fillFrom(rows);
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, false);
}

void Tforoshande_ins::FormShow()
{
    // The user's own banks; the only one is chosen for a new vendor, never over an edited vendor's bank.
    const bool inserting = !ui->ins_btn->isHidden();
    picklist::LoadPickList(ui->bank, QStringLiteral("بانک"), picklist::Rows::Own, inserting);
}

void Tforoshande_ins::save(bool inserting)
{
    const pagekit::Values values = fields_.checked(inserting);
    // A repeated shop and account is a warning only: another row of the same shop may be wanted.
    if (inserting && shopAndAccountRepeat(values) && !ui::confirmWarning(repeatWarning))
        return;
    const QString shop = values[QStringLiteral("foroshgah")].toString();
    const QString phrase = inserting ? QStringLiteral(" ثبت فروشنده جديد  ") : QStringLiteral(" ويرايش فروشنده   ");

    pagekit::Save save;
    save.query = &list();
    save.mode = inserting ? db::Query::State::Insert : db::Query::State::Edit;
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    save.audit = [&]() -> QString { return phrase + shop + u' ' + SignedInUser::instance().karbar(); };
    save.done = inserting ? QStringLiteral("ثبت شد") : QStringLiteral("ويرايش شد");
    pagekit::saveRow(save);
}

void Tforoshande_ins::ins_btnClick()
{
    save(true);
}

void Tforoshande_ins::edit_btnClick()
{
    if (pagekit::hasCurrentRow(list()))
        save(false);
}
