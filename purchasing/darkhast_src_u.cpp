#include "darkhast_src_u.h"
#include "pagekit/commands.h"
#include "persian/Dates.h"
#include "darkhast_estelam_u.h"
#include "darkhast_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/opener.h"
#include "ui_main_u.h"
#include "pagekit/date_check.h"
#include "pagekit/grid.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "report/organisation.h"
#include "ui/combo_items.h"
#include "ui/guard.h"
#include "ui_darkhast_src_u.h"
#include <QComboBox>

namespace {

db::Query &list()
{
    return *forms::dm->ADOQ_darkhast;
}

QVector<pagekit::Column> gridColumns()
{
    const char *const columns[][2] = {
        {"radif", "رديف"},
        {"darkhastkonande", "درخواست کننده"},
        {"darkhast_dat", "تاريخ درخواست"},
        {"prj_name", "نام پروژه"},
        {"kala", "نام کالا"},
        {"cnt", "تعداد کالا"},
        {"vahed", "واحد کالا"},
        {"cmt", "توضيحات"},
        {"sal", "سال مالي"},
        {"dabir_no", "شماره خريد"},
        {"dabir_dat", "تاريخ خريد"},
        {"moshakhasat", "مشخصات فني"},
        {"est_dat", "تاريخ استعلام"},
        {"takhliye", "آدرس تخليه"},
        {"namayande", "نماينده"},
        {"tahvil_dat", "زمان تحويل"},
        {"status", "وضعيت"},
    };
    QVector<pagekit::Column> grid{{QStringLiteral("id"), QStringLiteral("id"), 0, true}};
    for (const auto &[field, title] : columns)
        grid.append({QString::fromLatin1(field), QString::fromUtf8(title)});
    return grid;
}

// A box filled from a list of values: the text it holds stays, and a list of one value chooses it.
void fillChoosingSingle(QComboBox *combo, const QStringList &values)
{
    ui::refillKeepingText(combo, values);
    if (combo->currentText().isEmpty() && combo->count() == 1)
        combo->setCurrentIndex(0);
}

// The main window's requests command: this year's requests are searched before the page shows.
pagekit::Opener opener(Tdarkhast_src &page)
{
    Ui::Tdarkhast_src &ui = *page.ui;
    pagekit::Opener opener;
    opener.key = rights::key::darkhast;
    opener.commands = page.commands();
    opener.cleared = {ui.prj_name, ui.kala, ui.cmt, ui.darkhastkonande, ui.status, ui.cnt, ui.dabir_no, ui.radif};
    opener.prepare = [&ui] { ui.sal->setText(fiscalYear()); };
    opener.widthLess = 30;
    opener.heightLess = 50;
    opener.search = [&page] { page.src_btnClick(); };
    return opener;
}

} // namespace

Tdarkhast_src::Tdarkhast_src(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Tdarkhast_src)
{
    ui->setupUi(this);
    // The submenu's item answers to the submenu's name like every other item of the menu.
    ui->N7->menuAction()->setObjectName(QStringLiteral("N7"));
    model_ = pagekit::setupGrid(ui->DBGrid1, list(), gridColumns());
    model_->setRowBackground(&Tdarkhast_src::rowColour);
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Tdarkhast_src::N1Click)
        .add(ui->N2, Right::Edit, &Tdarkhast_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Tdarkhast_src::N3Click, Needs::CurrentRow)
        .add(ui->N6, Right::View) // "مستندات" has no command
        .add(ui->N4, Right::View, &Tdarkhast_src::N4Click)
        .add(ui->N7->menuAction(), Right::View)
        .add(ui->N8, Right::View, &Tdarkhast_src::N8Click, Needs::CurrentRow)
        .add(ui->N5, Right::None, &Tdarkhast_src::N5Click)
        .onDoubleClick(ui->DBGrid1, ui->N2);

    filters_.like(ui->CheckBox1, ui->prj_name, QStringLiteral("prj_name"))
        .like(ui->CheckBox2, ui->kala, QStringLiteral("kala"))
        .like(ui->CheckBox9, ui->darkhastkonande, QStringLiteral("darkhastkonande"))
        .like(ui->CheckBox5, ui->sal, QStringLiteral("sal"))
        .like(ui->CheckBox6, ui->cmt, QStringLiteral("cmt"))
        .like(ui->CheckBox3, ui->status, QStringLiteral("status"))
        .valueList(ui->CheckBox7, {ui->dabir_no, ui->add_dabir_no, ui->show_list_dabir_no, ui->list_dabir_no},
                   QStringLiteral("dabir_no"))
        .valueList(ui->CheckBox8, {ui->radif, ui->add_radif, ui->show_list_radif, ui->list_radif},
                   QStringLiteral("radif"), true);

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Tdarkhast_src::src_btnClick);
    if (forms::main_)
        pagekit::installOpener(forms::main_->ui->N7, this, opener(*this));
}

Tdarkhast_src::~Tdarkhast_src()
{
    delete ui;
}

QColor Tdarkhast_src::rowColour(const db::Query &rows, int row)
{
    const auto text = [&](const char *field) { return rows.textAt(row, rows.fieldIndex(QLatin1String(field))); };
    // Later tests override earlier ones: a status colour always wins over the delivery-date green.
    QColor colour;
    if (!pagekit::isUntouchedDate(text("tahvil_dat")))
        colour = QColor(0, 255, 0);
    const QString status = text("status");
    if (status == QStringLiteral("خريد انجام شد"))
        colour = QColor(0, 255, 36);
    if (status == QStringLiteral("در دست اقدام"))
        colour = QColor(255, 255, 0);
    if (status == QStringLiteral("ابطال شد"))
        colour = QColor(255, 0, 0);
    return colour;
}

void Tdarkhast_src::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from darkhast where id<>-1 ");
    statements.count = ui->cnt;
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Tdarkhast_src::FormShow()
{
    // The representative's title carries the organisation's short name, as the settings hold it now.
    const QString shortName = report::organisation().shortName;
    const QString representative = QStringLiteral("نماينده") + (shortName.isEmpty() ? QString() : u' ' + shortName);
    QVector<pagekit::Column> columns = model_->columns();
    for (pagekit::Column &column : columns)
        if (column.field == QLatin1String("namayande") && column.title != representative) {
            column.title = representative;
            model_->setColumns(columns);
            break;
        }
    using picklist::Rows;
    picklist::LoadPickList(ui->darkhastkonande, QStringLiteral("واحد درخواست کننده"), Rows::Own, true);
    picklist::LoadPickList(ui->prj_name, QStringLiteral("نام پروژه"), Rows::Own, true);
    picklist::LoadPickList(ui->status, QStringLiteral("وضعيت درخواست"), Rows::AllUsers, true);
    picklist::LoadPickList(ui->kala, QStringLiteral("نام کالا"), Rows::Own, true);
    fillChoosingSingle(ui->dabir_no, querytexts::selectTexts(*forms::dm->adoq_set,
                                                             QStringLiteral("select distinct dabir_no from darkhast ")));
}

void Tdarkhast_src::N1Click()
{
    forms::darkhast_ins->prepareNew();
}

void Tdarkhast_src::N2Click() { forms::darkhast_ins->prepareEdit(list()); }

void Tdarkhast_src::N3Click()
{
    pagekit::deleteCurrentRow(list());
}

excel::Captions Tdarkhast_src::exportCaptions()
{
    const char *const captioned[][2] = {
        {"id", "شناسه"},
        {"darkhastkonande", "واحد درخواست کننده"},
        {"darkhast_dat", "تاريخ درخواست"},
        {"prj_name", "نام پروژه"},
        {"kala", "نام کالا"},
        {"cnt", "تعداد کالا"},
        {"vahed", "واحد کالا"},
        {"moshakhasat", "مشخصات فني"},
        {"est_dat", "تاريخ ارجاع"},
        {"takhliye", "آدرس تحويل"},
        {"cmt", "توضيحات"},
        {"sal", "سال مالي"},
        {"dabir_no", "شماره دبيرخانه"},
        {"dabir_dat", "تاريخ دبيرخانه"},
        {"namayande", "اقدام کننده"},
        {"tahvil_dat", "زمان تحويل"},
        {"radif", "رديف"},
        {"status", ""},
    };
    excel::Captions captions;
    for (const auto &[field, caption] : captioned)
        captions.insert(QString::fromLatin1(field), QString::fromUtf8(caption));
    return captions;
}

void Tdarkhast_src::N4Click()
{
    excel::ExportGridToExcel(list(), exportCaptions(), QStringLiteral("darkhast"));
}

void Tdarkhast_src::N8Click()
{
    printInquiryLetter();
}

void Tdarkhast_src::N5Click()
{
    close();
}
