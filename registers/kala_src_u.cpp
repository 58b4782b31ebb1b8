#include "kala_src_u.h"
#include "dm_u.h"
#include "forms.h"
#include "kala_ins_u.h"
#include "main_u.h"
#include "pagekit/commands.h"
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
                        {QStringLiteral("mojodi"), QStringLiteral("موجودي")}});
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Tkala_src::N1Click)
        .add(ui->N2, Right::Edit, &Tkala_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Tkala_src::N3Click, Needs::CurrentRow)
        .add(ui->N4, Right::None, &Tkala_src::N4Click)
        .add(ui->N5, Right::None, &QDialog::close)
        .onDoubleClick(ui->DBGrid1, ui->N2);

    filters_.like(ui->CheckBox1, ui->cod, QStringLiteral("cod")).like(ui->CheckBox2, ui->cmt, QStringLiteral("cmt"));

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tkala_src::src_btnClick);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::kala;
        opener.commands = commands();
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
    Tkala_ins &entry = *forms::kala_ins;
    entry.prepareEdit();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Tkala_src::N3Click()
{
    // The stock of goods with movements is their sum: deleting the goods would orphan them.
    pagekit::Deletion deletion;
    deletion.ownSteps = [](db::Query &row) {
        if (pagekit::rowExists(QStringLiteral("anbar"),
                               {{QStringLiteral("nam"), row.fieldByName(QStringLiteral("anbar")).value()},
                                {QStringLiteral("kala_cod"), row.fieldByName(QStringLiteral("cod")).value()}}))
            throw ui::Refusal(hasMovements);
    };
    pagekit::deleteCurrentRow(list(), deletion);
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
