#include "estelam_src_u.h"
#include "dm_u.h"
#include "estelam_ins_u.h"
#include "estelam_pic_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/commands.h"
#include "pagekit/opener.h"
#include "ui_main_u.h"
#include "pagekit/grid.h"
#include "pagekit/picklist.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_estelam_src_u.h"

namespace {

db::Query &list()
{
    return *forms::dm->ADOQ_estelam;
}

QVector<pagekit::Column> gridColumns()
{
    const char *const columns[][2] = {
        {"radif", "رديف"},
        {"sal", "سال"},
        {"onvan", "شرح استعلام"},
        {"meghdar", "مقدار"},
        {"est_dat", "تاريخ استعلام"},
        {"viner", "برنده"},
        {"mablagh1", "مبلغ واحد"},
        {"mablagh", "مبلغ کل"},
        {"hoghoghi", "رئيس اداره حقوقي"},
        {"tavrel", "مسئول خريد"},
        {"takarokat", "رئيس اداره تدارکات"},
        {"modir_prj", "مدير پروژه"},
        {"bazsazi_kar", "کارشناس بازسازي"},
        {"omran_kar", "کارشناس عمران"},
        {"bazsazi_moa", "معاون بازسازي"},
        {"maskan_kar", "کارشناس مسکن"},
        {"it", "فناوري"},
        {"mali", "رئيس مالي"},
        {"omran_moa", "معاون عمران"},
        {"mashin", "ماشين آلات"},
        {"poshtibani_moa", "معاون پشتيباني"},
        {"maskan_moa", "معاون مسکن"},
        {"vali", "ولي فقيه"},
        {"herasat", "حراست"},
        {"modirkol", "مدير کل"},
        {"dabir_dat", "تاريخ دبيرخانه"},
        {"dabir_no", "شماره دبيرخانه"},
        {"cmt", "توضيحات"},
        {"estelam_no", "شماره استعلام"},
    };
    QVector<pagekit::Column> grid{{QStringLiteral("id"), QStringLiteral("id"), 0, true}};
    for (const auto &[field, title] : columns)
        grid.append({QString::fromLatin1(field), QString::fromUtf8(title)});
    return grid;
}

const QString passwordTitle = QStringLiteral("رمز حذف");

// The main window's inquiries command: the list is searched before the page shows.
pagekit::Opener opener(Testelam_src &page)
{
    Ui::Testelam_src &ui = *page.ui;
    pagekit::Opener opener;
    opener.key = rights::key::estelam;
    opener.commands = page.commands();
    opener.cleared = {ui.estelam_no, ui.sal, ui.onvan, ui.viner};
    opener.widthLess = 30;
    opener.heightLess = 60;
    opener.search = [&page] { page.src_btnClick(); };
    return opener;
}

} // namespace

Testelam_src::Testelam_src(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Testelam_src)
{
    ui->setupUi(this);
    model_ = pagekit::setupGrid(ui->DBGrid1, list(), gridColumns());
    model_->setRowBackground(&Testelam_src::rowColour);
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Testelam_src::N1Click)
        .add(ui->N2, Right::Edit, &Testelam_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Testelam_src::N3Click, Needs::CurrentRow)
        // The attachments form applies the page's rights itself.
        .add(ui->N6, Right::None, &Testelam_src::N6Click, Needs::CurrentRow)
        .add(ui->N4, Right::None, &Testelam_src::N4Click)
        .add(ui->N5, Right::None, &Testelam_src::N5Click)
        .onDoubleClick(ui->DBGrid1, ui->N2);

    filters_.like(ui->CheckBox1, ui->sal, QStringLiteral("sal"))
        .like(ui->CheckBox2, ui->onvan, QStringLiteral("onvan"))
        .like(ui->CheckBox4, ui->viner, QStringLiteral("viner"))
        .like(ui->CheckBox5, ui->estelam_no, QStringLiteral("estelam_no"))
        .range(ui->CheckBox3, ui->est_dat1, ui->est_dat2, QStringLiteral("est_dat"));

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Testelam_src::src_btnClick);
    if (forms::main_)
        pagekit::installOpener(forms::main_->ui->N16, this, opener(*this));
}

Testelam_src::~Testelam_src()
{
    delete ui;
}

QColor Testelam_src::rowColour(const db::Query &rows, int row)
{
    const int secretariat = rows.fieldIndex(QStringLiteral("dabir_no"));
    return secretariat >= 0 && !rows.textAt(row, secretariat).isEmpty() ? QColor(0, 255, 36) : QColor();
}

void Testelam_src::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from estelam where id<>-1 ");
    statements.count = ui->cnt;
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Testelam_src::N1Click()
{
    forms::estelam_ins->prepareNew();
}

void Testelam_src::N2Click() { forms::estelam_ins->prepareEdit(list()); }

void Testelam_src::N3Click()
{
    // The password shared by all users takes the place of the question. Cancel deletes nothing; a wrong
    // answer is met with silence. The inquiry's attachments stay in estelam_pic.
    pagekit::Deletion deletion;
    deletion.confirm = [] {
        const QString password = picklist::firstValue(passwordTitle);
        const std::optional<QString> answer = ui::dialogs().input(
            QStringLiteral("Delete Password"), QStringLiteral("رمز حذف را وارد نماييد؟"), QStringLiteral("?"));
        return answer && *answer == password;
    };
    pagekit::deleteCurrentRow(list(), deletion);
}

void Testelam_src::N6Click() { openInquiryAttachments(list().fieldByName(QStringLiteral("id")).asInteger()); }

excel::Captions Testelam_src::exportCaptions()
{
    excel::Captions captions;
    const db::Query &rows = list();
    for (int field = 0; field < rows.fieldCount(); ++field)
        captions.insert(rows.fieldName(field), QString());
    const char *const captioned[][2] = {
        {"radif", "رديف"}, {"sal", "سال"}, {"onvan", "شرح استعلام"},
        {"meghdar", "مقدار"}, {"est_dat", "تاريخ استعلام"}, {"viner", "برنده"},
    };
    for (const auto &[field, caption] : captioned)
        captions.insert(QString::fromLatin1(field), QString::fromUtf8(caption));
    return captions;
}

void Testelam_src::N4Click()
{
    excel::ExportGridToExcel(list(), exportCaptions(), QStringLiteral("estelam"));
}

void Testelam_src::N5Click()
{
    close();
}
