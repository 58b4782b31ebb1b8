#include "anbar_src_u.h"
#include "pagekit/commands.h"
#include "persian/Dates.h"
#include "anbar_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/grid.h"
#include "pagekit/opener.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "stock.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_anbar_ins_u.h"
#include "ui_anbar_src_u.h"
#include "ui_main_u.h"

namespace {

const QString wouldGoNegative = QStringLiteral("خطا! موجودي اين کالا منفي مي شود و امکان حذف نيست");
const QString editNote = QStringLiteral("فقط برخي فيلدها قابل ويرايش هست - کالا و مقدار و انبار قابل ويرايش "
                                        "نيستند - در صورت نياز حذف و دوباره ثبت نماييد");

db::Query &list() { return *forms::dm->ADOQ_anbar; }

// The delete's own step, in its write transaction: the movement's stock change is undone on the stock
// read afresh. Deleting an incoming movement may not take the stock below 0; a movement of goods no longer
// registered changes no stock.
void reverseMovement(db::Query &movement)
{
    const QString type = movement.fieldByName(QStringLiteral("typ")).asString();
    const QString warehouse = movement.fieldByName(QStringLiteral("nam")).asString();
    const QVariant code = movement.fieldByName(QStringLiteral("kala_cod")).value();
    const double quantity = movement.fieldByName(QStringLiteral("meghdar")).asFloat();
    if (type != stock::incoming && type != stock::outgoing)
        return;
    const std::optional<double> held = stock::held(warehouse, code);
    const double before = held.value_or(0);
    const bool wasIncoming = type == stock::incoming;
    const double after = stock::rounded(wasIncoming ? before - quantity : before + quantity);
    if (wasIncoming && after < 0)
        throw ui::Refusal(wouldGoNegative);
    if (held)
        stock::write(warehouse, code, after);
}

} // namespace

Tanbar_src::Tanbar_src(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tanbar_src>())
{
    ui->setupUi(this);
    pagekit::setupGrid(ui->DBGrid1, list(),
                       {{QStringLiteral("id"), QString(), 0, true},
                        {QStringLiteral("nam"), QStringLiteral("نام انبار"), 80},
                        {QStringLiteral("typ"), QStringLiteral("نوع"), 60},
                        {QStringLiteral("kala_cod"), QStringLiteral("کد کالا"), 50},
                        {QStringLiteral("kala_cmt"), QStringLiteral("شرح کالا"), 150},
                        {QStringLiteral("kala_vahed"), QStringLiteral("واحد کالا"), 70},
                        {QStringLiteral("meghdar"), QStringLiteral("مقدار")},
                        {QStringLiteral("dat"), QStringLiteral("تاريخ"), 70},
                        {.field = QStringLiteral("saat"), .title = QStringLiteral("ساعت"), .width = 60, .latin = true},
                        {QStringLiteral("mabda"), QStringLiteral("مبدا"), 90},
                        {QStringLiteral("maghsad"), QStringLiteral("مقصد"), 90},
                        {QStringLiteral("tahvildahande"), QStringLiteral("تحويل دهنده"), 100},
                        {QStringLiteral("tahvilgirande"), QStringLiteral("تحويل گيرنده"), 100},
                        {QStringLiteral("cmt"), QStringLiteral("توضيحات"), 150},
                        {QStringLiteral("us"), QStringLiteral("کاربر"), 65}});
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Tanbar_src::N1Click)
        .add(ui->N2, Right::Edit, &Tanbar_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Tanbar_src::N3Click, Needs::CurrentRow)
        .add(ui->N4, Right::None, &Tanbar_src::N4Click)
        .add(ui->N5, Right::None, &QDialog::close)
        .onDoubleClick(ui->DBGrid1, ui->N2);

    filters_.like(ui->CheckBox1, ui->kala_cod, QStringLiteral("kala_cod"))
        .like(ui->CheckBox2, ui->kala_name, QStringLiteral("kala_cmt"))
        .range(ui->CheckBox3, ui->dat1, ui->dat2, QStringLiteral("dat"));

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tanbar_src::src_btnClick);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::anbar;
        opener.commands = commands();
        opener.cleared = {ui->kala_name, ui->kala_cod};
        // A date filter switched on starts from today.
        opener.prepare = [this] {
            const QString today = shamsiToday();
            ui->dat1->setStoredText(today);
            ui->dat2->setStoredText(today);
        };
        opener.widthLess = 30;
        opener.heightLess = 60;
        opener.search = [this] { src_btnClick(); };
        pagekit::installOpener(forms::main_->ui->N14, this, std::move(opener));
    }
}

Tanbar_src::~Tanbar_src() = default;

void Tanbar_src::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from anbar where id<>-1 ");
    statements.count = ui->cnt;
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Tanbar_src::N1Click()
{
    Tanbar_ins &entry = *forms::anbar_ins;
    entry.prepareNew();
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, true);
}

void Tanbar_src::N2Click()
{
    Tanbar_ins &entry = *forms::anbar_ins;
    entry.prepareEdit();
    ui::showMessage(editNote);
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Tanbar_src::N3Click()
{
    pagekit::Deletion deletion;
    deletion.ownSteps = reverseMovement;
    pagekit::deleteCurrentRow(list(), deletion);
}

excel::Captions Tanbar_src::exportCaptions()
{
    return {{QStringLiteral("nam"), QStringLiteral("نام انبار")},
            {QStringLiteral("kala_cod"), QStringLiteral("کد کالا")},
            {QStringLiteral("kala_cmt"), QStringLiteral("شرح کالا")},
            {QStringLiteral("kala_vahed"), QStringLiteral("واحد")},
            {QStringLiteral("meghdar"), QStringLiteral("مقدار")}};
}

void Tanbar_src::N4Click()
{
    excel::ExportGridToExcel(list(), exportCaptions(), QStringLiteral("anbar"));
}
