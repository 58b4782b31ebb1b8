#include "abadiha_u.h"
#include "abadiha_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/commands.h"
#include "pagekit/grid.h"
#include "pagekit/opener.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "ui/guard.h"
#include "ui_abadiha_ins_u.h"
#include "ui_abadiha_u.h"
#include "ui_main_u.h"

namespace {

db::Query &list() { return *forms::dm->ADOQ_abadiha; }

} // namespace

Tabadiha::Tabadiha(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tabadiha>())
{
    ui->setupUi(this);
    pagekit::setupGrid(ui->DBGrid1, list(),
                       {{QStringLiteral("id"), QString(), 0, true},
                        {QStringLiteral("cod"), QStringLiteral("کد آبادي"), 150},
                        {QStringLiteral("ostan"), QStringLiteral("استان"), 140},
                        {QStringLiteral("shahrestan"), QStringLiteral("شهرستان"), 100},
                        {QStringLiteral("shahr"), QStringLiteral("شهر"), 100},
                        {QStringLiteral("bakhsh"), QStringLiteral("بخش"), 100},
                        {QStringLiteral("dehestan"), QStringLiteral("دهستان"), 100},
                        {QStringLiteral("rosta"), QStringLiteral("روستا"), 100}});
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N2, Right::Insert, &Tabadiha::N2Click)
        .add(ui->N3, Right::Edit, &Tabadiha::N3Click, Needs::CurrentRow)
        .add(ui->N1, Right::Delete, &Tabadiha::N1Click, Needs::CurrentRow)
        .onDoubleClick(ui->DBGrid1, ui->N3);

    // The search's lines come in this order.
    filters_.like(ui->CheckBox1, ui->cod, QStringLiteral("cod"))
        .like(ui->CheckBox5, ui->dehestan, QStringLiteral("dehestan"))
        .like(ui->CheckBox2, ui->ostan, QStringLiteral("ostan"))
        .like(ui->CheckBox4, ui->bakhsh, QStringLiteral("bakhsh"))
        .like(ui->CheckBox3, ui->shahrestan, QStringLiteral("shahrestan"))
        .like(ui->CheckBox6, ui->rosta, QStringLiteral("rosta"));

    ui::connectGuarded(ui->BitBtn1, &QPushButton::clicked, this, &Tabadiha::BitBtn1Click);
    connect(ui->DBGrid1, &QWidget::customContextMenuRequested, this, &Tabadiha::showPopup);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::abadiha;
        opener.commands = commands();
        opener.cleared = {ui->ostan, ui->bakhsh, ui->dehestan, ui->cod, ui->shahrestan, ui->rosta};
        opener.texts = {{ui->cnt, QStringLiteral("0")}};
        // The register is large: the page opens with no rows until the user searches.
        opener.prepare = [] { list().close(); };
        opener.heightLess = 50;
        pagekit::installOpener(forms::main_->ui->N18, this, std::move(opener));
    }
}

Tabadiha::~Tabadiha() = default;

void Tabadiha::BitBtn1Click()
{
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from abadiha where id<>-1  ");
    statements.count = ui->cnt;
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Tabadiha::N2Click()
{
    Tabadiha_ins &entry = *forms::abadiha_ins;
    entry.prepareNew();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, true);
}

void Tabadiha::N3Click()
{
    Tabadiha_ins &entry = *forms::abadiha_ins;
    entry.prepareEdit();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Tabadiha::N1Click()
{
    pagekit::deleteCurrentRow(list());
}

void Tabadiha::showPopup(const QPoint &pos)
{
    ui->PopupMenu1->popup(ui->DBGrid1->viewport()->mapToGlobal(pos));
}
