#include "bime_src_u.h"
#include "bime_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/commands.h"
#include "pagekit/grid.h"
#include "pagekit/opener.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "signed_in_user.h"
#include "ui/guard.h"
#include "ui_bime_ins_u.h"
#include "ui_bime_src_u.h"
#include "ui_main_u.h"
#include <QHeaderView>

namespace {

db::Query &list() { return *forms::dm->adoq_bime; }

} // namespace

Tbime_src::Tbime_src(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tbime_src>())
{
    ui->setupUi(this);
    pagekit::setupGrid(ui->DBGrid1, list(),
                       {{QStringLiteral("id"), QString(), 0, true},
                        {QStringLiteral("bimename"), QStringLiteral("نوع بيمه نامه"), 80},
                        {QStringLiteral("prj_name"), QStringLiteral("نام پروژه"), 100},
                        {QStringLiteral("bimekonande"), QStringLiteral("شرکت بيمه کننده"), 100},
                        {QStringLiteral("sodor_dat"), QStringLiteral("تاريخ صدور"), 100},
                        {QStringLiteral("khateme_dat"), QStringLiteral("تاريخ خاتمه"), 80},
                        {QStringLiteral("bime_no"), QStringLiteral("شماره بيمه نامه"), 50},
                        {QStringLiteral("mablagh"), QStringLiteral("مبلغ حق بيمه کل"), 100},
                        {QStringLiteral("cmt"), QStringLiteral("توضيحات"), 200},
                        {QStringLiteral("us"), QStringLiteral("کاربر")}});
    // This list keeps the order the server gives: its titles sort nothing.
    ui->DBGrid1->horizontalHeader()->setSectionsClickable(false);
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Tbime_src::N1Click)
        .add(ui->N2, Right::Edit, &Tbime_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Tbime_src::N3Click, Needs::CurrentRow)
        .add(ui->N6,
             Right::View) // "مستندات", "اکسل" and "فرم ها" have no command here
        .add(ui->N4, Right::View)
        .add(ui->N7, Right::View)
        .add(ui->N5, Right::None, &QDialog::close)
        .onDoubleClick(ui->DBGrid1, ui->N2);

    // The search's lines come in this order. The user filter is the signed-in user, whatever its box shows.
    filters_.equal(ui->CheckBox11, ui->user, QStringLiteral("us"), [] { return SignedInUser::instance().karbar(); })
        .like(ui->CheckBox1, ui->prj_name, QStringLiteral("prj_name"))
        .like(ui->CheckBox2, ui->bimename, QStringLiteral("bimename"))
        .like(ui->CheckBox3, ui->bimekonande, QStringLiteral("bimekonande"))
        .range(ui->CheckBox4, ui->sodor_dat1, ui->sodor_dat2, QStringLiteral("sodor_dat"))
        .range(ui->CheckBox8, ui->khateme_dat1, ui->khateme_dat2, QStringLiteral("khateme_dat"))
        .like(ui->CheckBox6, ui->cmt, QStringLiteral("cmt"))
        .like(ui->CheckBox7, ui->bime_no, QStringLiteral("bime_no"));

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tbime_src::src_btnClick);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::bime;
        opener.commands = commands();
        opener.cleared = {ui->bimename, ui->bimekonande, ui->prj_name, ui->bime_no, ui->cmt};
        // The user filter's box shows whose policies it keeps.
        opener.prepare = [this] { ui->user->setEditText(SignedInUser::instance().karbar()); };
        opener.widthLess = 30;
        opener.heightLess = 50;
        opener.search = [this] { src_btnClick(); };
        pagekit::installOpener(forms::main_->ui->N13, this, std::move(opener));
    }
}

Tbime_src::~Tbime_src() = default;

void Tbime_src::FormShow()
{
    Tbime_ins::loadPickLists(ui->bimename, ui->bimekonande, ui->prj_name, true);
}

void Tbime_src::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from bime where id<>-1 ");
    statements.count = ui->cnt;
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Tbime_src::N1Click()
{
    Tbime_ins &entry = *forms::bime_ins;
    entry.prepareNew();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, true);
}

void Tbime_src::N2Click()
{
    Tbime_ins &entry = *forms::bime_ins;
    entry.prepareEdit();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Tbime_src::N3Click()
{
    pagekit::deleteCurrentRow(list());
}
