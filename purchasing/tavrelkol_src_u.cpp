#include "pagekit/commands.h"
#include "tavrelkol_src_u.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "forms.h"
#include "hesabdari_frm_u.h"
#include "pagekit/grid.h"
#include "pagekit/query_texts.h"
#include "pagekit/row_user.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "tavrelkol_ins_u.h"
#include "tavrelkol_open.h"
#include "tavrelkol_pic_u.h"
#include "ui/click_label.h"
#include "ui/combo_items.h"
#include "ui/guard.h"
#include "ui_tavrelkol_src_u.h"

using namespace Qt::StringLiterals;

namespace {

const QString paid = u"پرداخت شد"_s;
const QColor paidColour(0, 255, 0);

db::Query &list()
{
    return *forms::dm->ADOQ_tavrel;
}

db::Query &general()
{
    return *forms::dm->ADOQuery1;
}

const QVector<pagekit::Column> gridColumns = {
    {u"id"_s, u"id"_s, 0, true},
    {u"dabir_no"_s, u"شماره دبيرخانه"_s},
    {u"prj_name"_s, u"نام پروژه"_s},
    {u"kargah"_s, u"کارگاه"_s},
    {u"mozo"_s, u"موضوع"_s},
    {u"mozo_cmt"_s, u"شرح موضوع"_s},
    {u"cnt"_s, u"تعداد"_s},
    {u"vahed"_s, u"واحد"_s},
    {u"mablagh"_s, u"مبلغ واحد"_s},
    {u"mablagh_kol"_s, u"مبلغ کل"_s},
    {u"pardakhti"_s, u"پرداختي"_s},
    {u"tavrel_dat"_s, u"تاريخ خريد"_s},
    {u"pardakht_dat"_s, u"تاريخ رسيد"_s},
    {u"foroshande"_s, u"نام فروشگاه"_s},
    {u"resid"_s, u"رسيد"_s},
    {u"faktor_no"_s, u"ش فاکتور"_s},
    {u"sal"_s, u"سال"_s},
    {u"cmt"_s, u"توضيحات"_s},
    {u"nam"_s, u"نام فروشنده"_s},
    {u"hesab_no"_s, u"شماره حساب فروشنده"_s},
    {u"bank"_s, u"بانک فروشنده"_s},
    {u"nation"_s, u"کد ملي فروشنده"_s},
    {u"pic_count"_s, u"تعداد ضمائم"_s},
    {u"user_id"_s, u"شناسه کاربر"_s},
    {u"darkhast_no"_s, u"شماره درخواست"_s},
};

} // namespace

Ttavrelkol_src::Ttavrelkol_src(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Ttavrelkol_src)
{
    ui->setupUi(this);
    ui->pardakhti->setCurrentIndex(-1); // the payment filter starts with no state chosen

    model_ = pagekit::setupGrid(ui->DBGrid1, list(), gridColumns);
    model_->setRowBackground([](const db::Query &query, int row) {
        const int column = query.fieldIndex(u"pardakhti"_s);
        return column >= 0 && query.textAt(row, column) == paid ? paidColour : QColor();
    });
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N1, Right::Insert, &Ttavrelkol_src::N1Click)
        .add(ui->N2, Right::Edit, &Ttavrelkol_src::N2Click, Needs::CurrentRow)
        .add(ui->N3, Right::Delete, &Ttavrelkol_src::N3Click, Needs::CurrentRow)
        .add(ui->N6, Right::View, &Ttavrelkol_src::N6Click, Needs::CurrentRow)
        .add(ui->N4, Right::View, &Ttavrelkol_src::N4Click)
        .add(ui->N7, Right::View, &Ttavrelkol_src::N7Click, Needs::CurrentRow)
        .add(ui->N5, Right::None, &Ttavrelkol_src::N5Click)
        .onDoubleClick(ui->DBGrid1, ui->N2);

    // The hidden label holds the chosen user's id; "-1" while none is chosen.
    const auto chosenUser = [this]() -> QVariant {
        bool isNumber = false;
        const qint64 id = ui->user->text().toLongLong(&isNumber);
        return isNumber ? QVariant(id) : QVariant(ui->user->text());
    };
    filters_.equal(ui->CheckBox11, ui->us, u"user_id"_s, chosenUser)
        .like(ui->CheckBox1, ui->prj_name, u"prj_name"_s)
        .like(ui->CheckBox2, ui->mozo, u"mozo"_s)
        .like(ui->CheckBox3, ui->foroshande, u"foroshande"_s)
        .like(ui->CheckBox4, ui->kargah, u"kargah"_s)
        .like(ui->CheckBox5, ui->sal, u"sal"_s)
        .like(ui->CheckBox6, ui->cmt, u"cmt"_s)
        .like(ui->CheckBox7, ui->faktor_no, u"faktor_no"_s)
        .like(ui->CheckBox8, ui->resid, u"resid"_s)
        .like(ui->CheckBox9, ui->dabir_no, u"dabir_no"_s)
        .range(ui->CheckBox10, ui->pardakht_dat1, ui->pardakht_dat2, u"pardakht_dat"_s)
        .like(ui->CheckBox12, ui->pardakhti, u"pardakhti"_s);

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Ttavrelkol_src::src_btnClick);
    ui::connectGuarded(ui->DBGrid1, &QTableView::clicked, this, &Ttavrelkol_src::DBGrid1CellClick);
    ui::connectGuarded(ui->us, &QComboBox::currentTextChanged, this, &Ttavrelkol_src::usChange);
    ui::connectGuarded(ui->mablagh_kol_sum, &ClickLabel::clicked, this, &Ttavrelkol_src::mablagh_kol_sumClick);
    installPurchasesOpener(*this);
}

Ttavrelkol_src::~Ttavrelkol_src()
{
    delete ui;
}

void Ttavrelkol_src::src_btnClick()
{
    pagekit::SearchStatements statements;
    statements.listAnchor = u" where tavrelkol.ID<>-1 "_s; // after the declared
                                                           // purchases-with-picture-counts
    statements.count = ui->cnt;
    statements.sums = {{u"mablagh_kol"_s, ui->mablagh_kol_sum}};
    pagekit::runSearch(list(), statements, filters_.lines());
}

void Ttavrelkol_src::mablagh_kol_sumClick()
{
    listpage::ColumnSumToLabel(ui->mablagh_kol_sum, list());
}

void Ttavrelkol_src::N1Click()
{
    forms::tavrelkol_ins->prepareNew();
}

void Ttavrelkol_src::N2Click() { forms::tavrelkol_ins->prepareEdit(list()); }

void Ttavrelkol_src::N3Click()
{
    // The purchase's attachments stay in tavrelkol_pic.
    pagekit::deleteCurrentRow(list());
}

void Ttavrelkol_src::N6Click() { openPurchaseAttachments(list().fieldByName(u"id"_s).asInteger()); }

void Ttavrelkol_src::N7Click()
{
    printCoverLetter();
}

excel::Captions Ttavrelkol_src::exportCaptions()
{
    excel::Captions captions;
    for (const db::FieldDef &field : list().declaredFields())
        captions.insert(field.name, QString());
    const char *const captioned[][2] = {
        {"prj_name", "نام پروژه"},   {"mozo", "موضوع"},           {"cnt", "تعداد"},
        {"vahed", "واحد"},           {"mablagh", "مبلغ"},         {"mablagh_kol", "مبلغ کل"},
        {"tavrel_dat", "تاريخ خريد"}, {"pardakht_dat", "تاريخ رسيد"}, {"resid", "رسيد"},
        {"faktor_no", "ش فاکتور"},   {"kargah", "کارگاه"},        {"sal", "سال"},
        {"foroshande", "فروشنده"},   {"id", "شناسه"},             {"cmt", "توضيحات"},
    };
    for (const auto &[field, caption] : captioned)
        captions.insert(QString::fromLatin1(field), QString::fromUtf8(caption));
    return captions;
}

void Ttavrelkol_src::N4Click()
{
    excel::ExportGridToExcel(list(), exportCaptions(), u"tavrelkol"_s);
}

void Ttavrelkol_src::N5Click()
{
    close();
}

void Ttavrelkol_src::FormShow()
{
    ui::setComboItems(ui->us, querytexts::selectTexts(general(), u"select us from users"_s));
}

void Ttavrelkol_src::usChange()
{
    ui->user->setText(pagekit::userIdOf(ui->us->currentText()));
}

void Ttavrelkol_src::DBGrid1CellClick()
{
    pagekit::showRowUserBalloon(ui->DBGrid1, list());
}
