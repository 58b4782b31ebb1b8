#include "pagekit/commands.h"
#include "users_u.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "export/excel_export.h"
#include "forms.h"
#include "pagekit/grid.h"
#include "pagekit/listpage.h"
#include "pagekit/opener.h"
#include "pagekit/search.h"
#include "main_u.h"
#include "page_rights.h"
#include "pagekit/picklist.h"
#include "places.h"
#include "pagekit/rows.h"
#include "signed_in_user.h"
#include "pagekit/sorted_lists.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include "users_ins_u.h"

using namespace Qt::StringLiterals;

Tusers::Tusers(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tusers>())
{
    ui->setupUi(this);
    setObjectName(u"users"_s);

    model_ = pagekit::setupGrid(ui->DBGrid1, *forms::dm->adoq_user, {
        {u"nam"_s, u"نام و نام خانوادگي"_s},
        {u"us"_s, u"نام كاربري (کد ملي)"_s},
        {u"ps"_s, u"كلمه عبور"_s, 0, true},
        {u"ver"_s, u"نسخه"_s},
        {u"lev"_s, u"سطح"_s},
        {u"ostan"_s, u"استان"_s},
        {u"semat"_s, u"سمت/شرح"_s},
        {u"mobile"_s, u"موبايل"_s},
        {u"status"_s, u"وضعيت"_s},
    });

    rightBoxes_ = {
        {rights::key::faktor, ui->faktor_ins, ui->faktor_edit, ui->faktor_del, ui->faktor_show},
        {rights::key::tavrelkol, ui->tavrelkol_ins, ui->tavrelkol_edit, ui->tavrelkol_del, ui->tavrelkol_show},
        {rights::key::darkhast, ui->darkhast_ins, ui->darkhast_edit, ui->darkhast_del, ui->darkhast_show},
        {rights::key::foroshande, ui->foroshande_ins, ui->foroshande_edit, ui->foroshande_del, ui->foroshande_show},
        {rights::key::bime, ui->bime_ins, ui->bime_edit, ui->bime_del, ui->bime_show},
        {rights::key::anbar, ui->anbar_ins, ui->anbar_edit, ui->anbar_del, ui->anbar_show},
        {rights::key::kala, ui->kala_ins, ui->kala_edit, ui->kala_del, ui->kala_show},
        {rights::key::estelam, ui->estelam_ins, ui->estelam_edit, ui->estelam_del, ui->estelam_show},
        {rights::key::abadiha, ui->abadiha_ins, ui->abadiha_edit, ui->abadiha_del, ui->abadiha_show},
        {rights::key::setting, ui->set_ins, ui->set_edit, ui->set_del, ui->set_show},
        {rights::key::phone, ui->phone_ins, ui->phone_edit, ui->phone_del, ui->phone_show},
        {rights::key::zamaem, ui->zamaem_ins, ui->zamaem_edit, ui->zamaem_del, ui->zamaem_show},
        {rights::key::karbaran, ui->karbaran_ins, ui->karbaran_edit, ui->karbaran_del, ui->karbaran_show},
    };

    ui->shahrestan->lineEdit()->setMaxLength(150); // a county is stored in dastrasi2.cmt
    filters_.like(ui->CheckBox1, ui->us, u"us"_s)
        .like(ui->CheckBox2, ui->ostan2, u"ostan"_s)
        .like(ui->CheckBox3, ui->nam, u"nam"_s)
        .like(ui->CheckBox4, ui->lev2, u"lev"_s);
    // The rights boxes follow the current row, wherever it moves; until there is one they are empty and off.
    ui::connectGuarded(forms::dm->adoq_user, &db::Query::currentChanged, this, &Tusers::DBGrid1CellClick);
    DBGrid1CellClick();
    connectHandlers();
    showSignedInUser();
    connect(&SignedInUser::instance(), &SignedInUser::changed, this, &Tusers::showSignedInUser);
    installOpener();
}

Tusers::~Tusers() = default;

void Tusers::connectHandlers()
{
    using pagekit::Needs;
    using pagekit::Right;
    // The rights switch the account commands, and the buttons that save an account's rights and counties.
    declareCommands(*forms::dm->adoq_user)
        .add(ui->N5, Right::Insert, &Tusers::N5Click)
        .add(ui->N6, Right::Edit, &Tusers::N6Click, Needs::CurrentRow)
        .add(ui->N7, Right::Delete, &Tusers::N7Click, Needs::CurrentRow)
        .add(ui->N8, Right::None, &Tusers::N8Click)
        .add(ui->N9, Right::None, &Tusers::N9Click)
        .add(ui->ins_btn2, Right::Insert, &Tusers::ins_btn2Click, Needs::CurrentRow)
        .add(ui->ins_btn, Right::Insert, &Tusers::ins_btnClick, Needs::CurrentRow)
        .add(ui->SpeedButton2, Right::Insert, &Tusers::SpeedButton2Click)
        .add(ui->SpeedButton3, Right::Insert, &Tusers::SpeedButton3Click)
        .add(ui->N3, Right::None, &Tusers::N3Click)
        .add(ui->N1, Right::None, &Tusers::N1Click);
    using ui::connectGuarded;
    connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tusers::src_btnClick);
    connectGuarded(ui->DBGrid1, &QTableView::clicked, this, &Tusers::DBGrid1CellClick);
    connectGuarded(ui->ostan, &QComboBox::currentTextChanged, this, &Tusers::ostanChange);
}

void Tusers::showSignedInUser()
{
    const SignedInUser &user = SignedInUser::instance();
    ui->prs_id->setText(user.prsId());
    ui->karbar->setText(user.karbar());
    ui->level->setText(user.level());
}

db::Query &Tusers::openList()
{
    db::Query &list = *forms::dm->adoq_user;
    if (!list.active()) {
        if (list.lines().isEmpty())
            list.add(u"select * from users where id<>-1 "_s);
        list.open();
    }
    return list;
}

// The main menu's command for this page (key "karbaran"): the rights switch the insert, edit and delete
// commands; the filters and pickers are cleared; no search.
void Tusers::installOpener()
{
    if (!forms::main_)
        return;
    pagekit::Opener opener;
    opener.key = rights::key::karbaran;
    opener.commands = commands();
    opener.cleared = {ui->ostan, ui->shahrestan, ui->us, ui->ostan2, ui->nam, ui->lev, ui->lev2, ui->semat, ui->cnt};
    opener.heightLess = 80;
    pagekit::installOpener(forms::main_->ui->N3, this, std::move(opener));
}

void Tusers::FormShow()
{
    const QStringList provinces = places::provinces();
    sorted::fillKeepingText(ui->ostan, provinces);
    sorted::fillKeepingText(ui->ostan2, provinces);
    picklist::LoadPickList(ui->semat, u"گروه کاربري"_s, picklist::Rows::AllUsers, false);
}

void Tusers::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listHead = u"select * from users where id<>-1 "_s;
    statements.count = ui->cnt;
    pagekit::runSearch(*forms::dm->adoq_user, statements, filters_.lines());
}

void Tusers::N5Click()
{
    Tusers_ins &entry = *forms::users_ins;
    entry.clearFields();
    entry.ui->status->setEditText(u"فعال"_s);
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, true);
}

void Tusers::N6Click()
{
    Tusers_ins &entry = *forms::users_ins;
    entry.loadFrom(*forms::dm->adoq_user);
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Tusers::N7Click()
{
    // Deleting an account is not offered: its rows in other tables refer to it by id and by name.
}

// The passwords stay in the program: the workbook leaves their column out.
void Tusers::N8Click()
{
    static const excel::Captions captions{
        {u"id"_s, u"شناسه"_s},
        {u"ostan"_s, u"استان"_s},
        {u"semat"_s, u"سمت"_s},
        {u"nam"_s, u"نام و نام خانوادگي"_s},
        {u"mobile"_s, u"موبايل"_s},
        {u"us"_s, u"نام کاربري-کد ملي"_s},
        {u"lev"_s, u"سطح"_s},
    };
    excel::ExportGridToExcel(openList(), captions, u"users"_s, {u"ps"_s});
}

void Tusers::N9Click() { close(); }
