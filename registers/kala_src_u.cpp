#include "kala_src_u.h"
#include "dm_u.h"
#include "forms.h"
#include "kala_ins_u.h"
#include "main_u.h"
#include "pagekit/grid.h"
#include "pagekit/opener.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_kala_ins_u.h"
#include "ui_kala_src_u.h"
#include "ui_main_u.h"

namespace {

const QString hasMovements = QStringLiteral("خطا! براي اين کالا در انبار گردش ثبت شده است و امکان حذف نيست");

db::Query &list() { return *forms::dm->ADOQ_kala; }

} // namespace

Tkala_src::Tkala_src(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tkala_src>())
{
    ui->setupUi(this);
    pagekit::setupGrid(ui->DBGrid1, list(),
                       {{QStringLiteral("id"), QString(), 0, true},
                        {QStringLiteral("anbar"), QStringLiteral("نام انبار"), 100},
                        {QStringLiteral("cod"), QStringLiteral("کد کالا")},
                        {QStringLiteral("cmt"), QStringLiteral("شرح کالا"), 150},
                        {QStringLiteral("vahed"), QStringLiteral("واحد"), 80},
                        {QStringLiteral("mojodi"), QStringLiteral("موجودي")}}, ui->N2);
    pagekit::disableWhileEmpty(list(), {ui->N2, ui->N3}, this);

    filters_.like(ui->CheckBox1, ui->cod, QStringLiteral("cod")).like(ui->CheckBox2, ui->cmt, QStringLiteral("cmt"));

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tkala_src::src_btnClick);
    ui::connectGuarded(ui->N1, &QAction::triggered, this, &Tkala_src::N1Click);
    ui::connectGuarded(ui->N2, &QAction::triggered, this, &Tkala_src::N2Click);
    ui::connectGuarded(ui->N3, &QAction::triggered, this, &Tkala_src::N3Click);
    ui::connectGuarded(ui->N4, &QAction::triggered, this, &Tkala_src::N4Click);
    ui::connectGuarded(ui->N5, &QAction::triggered, this, &QDialog::close);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::kala;
        opener.commands = {{rights::menuItem(ui->MainMenu1, 0)},
                           {rights::menuItem(ui->MainMenu1, 1)},
                           {rights::menuItem(ui->MainMenu1, 2)},
                           {}};
        opener.cleared = {ui->cmt, ui->cod};
        opener.heightLess = 60;
        opener.search = [this] { src_btnClick(); };
        pagekit::installOpener(forms::main_->ui->N15, this, std::move(opener));
    }
}

Tkala_src::~Tkala_src() = default;

void Tkala_src::src_btnClick()
{
    // The page has no count: the list alone.
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from kala where id<>-1 ");
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Tkala_src::N1Click()
{
    Tkala_ins &entry = *forms::kala_ins;
    entry.prepareNew();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, true);
}

void Tkala_src::N2Click()
{
    if (!pagekit::hasCurrentRow(list()))
        return;
    Tkala_ins &entry = *forms::kala_ins;
    entry.prepareEdit();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Tkala_src::N3Click()
{
    // The stock of goods with movements is their sum: deleting the goods would orphan them.
    pagekit::deleteCurrentRow(list(), [](db::Query &row) {
        if (pagekit::rowExists(QStringLiteral("anbar"),
                               {{QStringLiteral("nam"), row.fieldByName(QStringLiteral("anbar")).value()},
                                {QStringLiteral("kala_cod"), row.fieldByName(QStringLiteral("cod")).value()}}))
            throw ui::Refusal(hasMovements);
    });
}

excel::Captions Tkala_src::exportCaptions()
{
    return {{QStringLiteral("anbar"), QStringLiteral("نام انبار")},
            {QStringLiteral("cod"), QStringLiteral("کد کالا")},
            {QStringLiteral("cmt"), QStringLiteral("شرح کالا")},
            {QStringLiteral("vahed"), QStringLiteral("واحد")},
            {QStringLiteral("mojodi"), QStringLiteral("موجودي")}};
}

void Tkala_src::N4Click()
{
    excel::ExportGridToExcel(list(), exportCaptions(), QStringLiteral("kala"));
}
