#include "foroshande_src_u.h"
#include "dm_u.h"
#include "foroshande_import.h"
#include "foroshande_ins_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/commands.h"
#include "pagekit/opener.h"
#include "ui_main_u.h"
#include "pagekit/grid.h"
#include "pagekit/query_texts.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "ui/busy.h"
#include "ui/combo_items.h"
#include "ui/guard.h"
#include "ui_foroshande_src_u.h"

namespace {

db::Query &list()
{
    return *forms::dm->ADOQ_foroshande;
}

QVector<pagekit::Column> gridColumns()
{
    return {
        {QStringLiteral("id"), QStringLiteral("id"), 0, true},
        {QStringLiteral("foroshgah"), QStringLiteral("فروشگاه")},
        {QStringLiteral("hesab_no"), QStringLiteral("شماره حساب")},
        {QStringLiteral("nation"), QStringLiteral("کد ملي/اقتصادي")},
        {QStringLiteral("nam"), QStringLiteral("نام فروشنده")},
        {QStringLiteral("bank"), QStringLiteral("بانک")},
        {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
    };
}

// The main window's vendors command: the page is shown as its last search left it (empty at first).
pagekit::Opener opener(Ui::Tforoshande_src &page, pagekit::Commands *commands)
{
    pagekit::Opener opener;
    opener.key = rights::key::foroshande;
    opener.commands = commands;
    opener.cleared = {page.bank, page.foroshgah, page.nam, page.cmt, page.hesab_no, page.cnt};
    opener.widthLess = 30;
    opener.heightLess = 50;
    return opener;
}

} // namespace

Tforoshande_src::Tforoshande_src(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Tforoshande_src)
{
    ui->setupUi(this);
    model_ = pagekit::setupGrid(ui->DBGrid1, list(), gridColumns());
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Tforoshande_src::N1Click)
        .add(ui->N2, Right::Edit, &Tforoshande_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Tforoshande_src::N3Click, Needs::CurrentRow)
        .add(ui->N6, Right::View) // "رزومه و مدارک" has no command
        .add(ui->N4, Right::View, &Tforoshande_src::N4Click)
        // The copy from the purchases register adds vendors: a write, whichever menu it stands in.
        .add(ui->N7, Right::Insert, &Tforoshande_src::N7Click)
        .add(ui->N5, Right::None, &Tforoshande_src::N5Click);

    filters_.like(ui->CheckBox1, ui->foroshgah, QStringLiteral("foroshgah"))
        .like(ui->CheckBox2, ui->nam, QStringLiteral("nam"))
        .like(ui->CheckBox9, ui->hesab_no, QStringLiteral("hesab_no"))
        .like(ui->CheckBox5, ui->bank, QStringLiteral("bank"))
        .like(ui->CheckBox6, ui->cmt, QStringLiteral("cmt"));

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tforoshande_src::src_btnClick);
    if (forms::main_)
        pagekit::installOpener(forms::main_->ui->N11, this, opener(*ui, commands()));
}

Tforoshande_src::~Tforoshande_src()
{
    delete ui;
}

void Tforoshande_src::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from foroshandegan where id<>-1 ");
    statements.listTail = QStringLiteral(" order by foroshgah ");
    statements.count = ui->cnt;
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Tforoshande_src::FormShow()
{
    db::Query &set = *forms::dm->adoq_set;
    ui::refillKeepingText(ui->foroshgah,
                          querytexts::selectTexts(set, QStringLiteral("select distinct foroshgah from foroshandegan ")));
    ui::refillKeepingText(ui->nam, querytexts::selectTexts(set, QStringLiteral("select distinct nam from foroshandegan ")));
}

void Tforoshande_src::N1Click()
{
    // The list has no statement until the first search: a vendor added before it shows alone.
    pagekit::openEmptyIfClosed(list(), QStringLiteral("foroshandegan"));
    forms::foroshande_ins->prepareNew();
}

void Tforoshande_src::N2Click() { forms::foroshande_ins->prepareEdit(list()); }

void Tforoshande_src::N3Click()
{
    // Purchases that name the shop keep their copied values.
    pagekit::deleteCurrentRow(list());
}

excel::Captions Tforoshande_src::exportCaptions()
{
    return {
        {QStringLiteral("foroshgah"), QStringLiteral("نام فروشگاه")},
        {QStringLiteral("nam"), QStringLiteral("نام فروشنده")},
        {QStringLiteral("hesab_no"), QStringLiteral("شماره حساب")},
        {QStringLiteral("bank"), QStringLiteral("بانک")},
        {QStringLiteral("id"), QStringLiteral("شناسه")},
        {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
        {QStringLiteral("nation"), QString()},
    };
}

void Tforoshande_src::N4Click()
{
    pagekit::openEmptyIfClosed(list(), QStringLiteral("foroshandegan"));
    excel::ExportGridToExcel(list(), exportCaptions(), QStringLiteral("foroshande"));
}

void Tforoshande_src::N7Click()
{
    // The next search shows the new vendors; the list stays as it is.
    const ui::BusyCursor busy;
    vendors::importFromPurchases();
}

void Tforoshande_src::N5Click()
{
    close();
}
