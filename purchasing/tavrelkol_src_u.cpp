#include "tavrelkol_src_u.h"
#include "Dates.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/listpage.h"
#include "persian_text.h"
#include "pagekit/query_texts.h"
#include "pagekit/row_commands.h"
#include "tavrelkol_ins_u.h"
#include "tavrelkol_open.h"
#include "ui/balloon.h"
#include "ui/click_label.h"
#include "ui/combo_items.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QCheckBox>
#include <QHeaderView>

namespace {

const QString paid = QStringLiteral("پرداخت شد");
const QColor paidColour(0, 255, 0);

db::Query &list()
{
    return *forms::dm->ADOQ_tavrel;
}

db::Query &general()
{
    return *forms::dm->ADOQuery1;
}

// The grid's columns in order; `id` is there for the rows' identity and stays hidden.
QVector<db::GridColumn> gridColumns()
{
    const char *const columns[][2] = {
        {"id", "id"},
        {"dabir_no", "شماره دبيرخانه"},
        {"prj_name", "نام پروژه"},
        {"kargah", "کارگاه"},
        {"mozo", "موضوع"},
        {"mozo_cmt", "شرح موضوع"},
        {"cnt", "تعداد"},
        {"vahed", "واحد"},
        {"mablagh", "مبلغ واحد"},
        {"mablagh_kol", "مبلغ کل"},
        {"pardakhti", "پرداختي"},
        {"tavrel_dat", "تاريخ خريد"},
        {"pardakht_dat", "تاريخ رسيد"},
        {"foroshande", "نام فروشگاه"},
        {"resid", "رسيد"},
        {"faktor_no", "ش فاکتور"},
        {"sal", "سال"},
        {"cmt", "توضيحات"},
        {"nam", "نام فروشنده"},
        {"hesab_no", "شماره حساب فروشنده"},
        {"bank", "بانک فروشنده"},
        {"nation", "کد ملي فروشنده"},
        {"pic_count", "تعداد ضمائم"},
        {"user_id", "شناسه کاربر"},
        {"darkhast_no", "شماره درخواست"},
    };
    QVector<db::GridColumn> grid;
    for (const auto &[field, title] : columns)
        grid.append({QString::fromLatin1(field), QString::fromUtf8(title)});
    return grid;
}

} // namespace

Ttavrelkol_src::Ttavrelkol_src(QWidget *parent)
    : QDialog(parent), ui(new Ui::Ttavrelkol_src), model_(std::make_unique<db::QueryModel>(list()))
{
    ui->setupUi(this);
    ui->pardakhti->setCurrentIndex(-1); // the payment filter starts with no state chosen

    model_->setColumns(gridColumns());
    model_->setRowBackground([](const db::Query &query, int row) {
        const int column = query.fieldIndex(QStringLiteral("pardakhti"));
        return column >= 0 && query.textAt(row, column) == paid ? paidColour : QColor();
    });
    model_->attach(ui->DBGrid1);
    const auto hideId = [this] { ui->DBGrid1->setColumnHidden(0, true); };
    hideId();
    connect(model_.get(), &QAbstractItemModel::modelReset, this, hideId);
    connect(model_.get(), &QAbstractItemModel::layoutChanged, this, hideId);

    listpage::disableWhileEmpty(list(), {ui->N2, ui->N3, ui->N6, ui->N7}, this);

    // Each box switches its filter; the receipt dates go together.
    struct Filter {
        QCheckBox *box;
        QWidget *control;
        QWidget *second = nullptr;
    };
    const Filter filters[] = {
        {ui->CheckBox1, ui->prj_name},   {ui->CheckBox2, ui->mozo},       {ui->CheckBox3, ui->foroshande},
        {ui->CheckBox4, ui->kargah},     {ui->CheckBox5, ui->sal},        {ui->CheckBox6, ui->cmt},
        {ui->CheckBox7, ui->faktor_no},  {ui->CheckBox8, ui->resid},      {ui->CheckBox9, ui->dabir_no},
        {ui->CheckBox10, ui->pardakht_dat1, ui->pardakht_dat2},           {ui->CheckBox11, ui->us},
        {ui->CheckBox12, ui->pardakhti},
    };
    for (const Filter &filter : filters) {
        if (filter.second) {
            listpage::resetFilter({filter.control, filter.second});
            ui::connectGuarded(filter.box, &QCheckBox::clicked, this, [filter] {
                listpage::ToggleFilterColour(filter.box, {filter.control, filter.second});
            });
        } else {
            listpage::resetFilter({filter.control});
            ui::connectGuarded(filter.box, &QCheckBox::clicked, this,
                               [filter] { listpage::ToggleFilterColour(filter.box, {filter.control}); });
        }
    }

    ui::connectGuarded(ui->src_btn, &QPushButton::clicked, this, &Ttavrelkol_src::src_btnClick);
    ui::connectGuarded(ui->N1, &QAction::triggered, this, &Ttavrelkol_src::N1Click);
    ui::connectGuarded(ui->N2, &QAction::triggered, this, &Ttavrelkol_src::N2Click);
    ui::connectGuarded(ui->N3, &QAction::triggered, this, &Ttavrelkol_src::N3Click);
    ui::connectGuarded(ui->N6, &QAction::triggered, this, &Ttavrelkol_src::N6Click);
    ui::connectGuarded(ui->N4, &QAction::triggered, this, &Ttavrelkol_src::N4Click);
    ui::connectGuarded(ui->N7, &QAction::triggered, this, &Ttavrelkol_src::N7Click);
    ui::connectGuarded(ui->N5, &QAction::triggered, this, &Ttavrelkol_src::N5Click);
    ui::connectGuarded(ui->DBGrid1, &QTableView::doubleClicked, this, &Ttavrelkol_src::N2Click);
    ui::connectGuarded(ui->DBGrid1, &QTableView::clicked, this, &Ttavrelkol_src::DBGrid1CellClick);
    ui::connectGuarded(ui->DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
                       &Ttavrelkol_src::DBGrid1TitleClick);
    ui::connectGuarded(ui->us, &QComboBox::currentTextChanged, this, &Ttavrelkol_src::usChange);
    ui::connectGuarded(ui->mablagh_kol_sum, &ClickLabel::clicked, this, &Ttavrelkol_src::mablagh_kol_sumClick);
    if (forms::main_)
        installPurchasesOpener(*forms::main_);
}

Ttavrelkol_src::~Ttavrelkol_src()
{
    delete ui;
}

void Ttavrelkol_src::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui::guarded([this] { FormShow(); });
}

listpage::FilterLines Ttavrelkol_src::filterLines() const
{
    // The hidden label holds the chosen user's id; "-1" while none is chosen.
    const QString userText = ui->user->text();
    bool isNumber = false;
    const qint64 userId = userText.toLongLong(&isNumber);

    listpage::FilterLines lines;
    lines.equal(ui->us, QStringLiteral(" and user_id="), isNumber ? QVariant(userId) : QVariant(userText))
        .like(ui->prj_name, QStringLiteral(" and prj_name like "))
        .like(ui->mozo, QStringLiteral(" and mozo like "))
        .like(ui->foroshande, QStringLiteral(" and foroshande like "))
        .like(ui->kargah, QStringLiteral(" and kargah like "))
        .like(ui->sal, QStringLiteral(" and sal like "))
        .like(ui->cmt, QStringLiteral(" and cmt like "))
        .like(ui->faktor_no, QStringLiteral(" and faktor_no like "))
        .like(ui->resid, QStringLiteral(" and resid like "))
        .like(ui->dabir_no, QStringLiteral(" and dabir_no like "))
        .range(ui->pardakht_dat1, ui->pardakht_dat2, QStringLiteral("pardakht_dat"))
        .like(ui->pardakhti, QStringLiteral(" and pardakhti like "));
    return lines;
}

void Ttavrelkol_src::src_btnClick()
{
    const listpage::FilterLines lines = filterLines();

    db::Query &rows = list();
    rows.restoreDeclared(); // the purchases with their picture counts, as the data module declares them
    rows.add(QStringLiteral(" where tavrelkol.ID<>-1 "));
    lines.addTo(rows);
    rows.open();

    db::Query &count = general();
    count.clear();
    count.add(QStringLiteral("select count(*) as  c,sum(mablagh_kol) as m from tavrelkol where id<>-1 "));
    lines.addTo(count);
    count.open();
    // Numbers, not the driver's texts: the total in whole rials, empty when no row has an amount.
    ui->cnt->setText(QString::number(count.fieldByName(QStringLiteral("c")).asInteger()));
    const db::Field total = count.fieldByName(QStringLiteral("m"));
    ui->mablagh_kol_sum->setText(total.isNull() ? QString() : QString::number(total.asCurrency()));
    mablagh_kol_sumClick();
}

void Ttavrelkol_src::mablagh_kol_sumClick()
{
    listpage::ColumnSumToLabel(ui->mablagh_kol_sum);
}

bool Ttavrelkol_src::hasCurrentRow() const
{
    const db::Query &rows = list();
    return rows.active() && rows.recNo() > 0;
}

QString Ttavrelkol_src::nextSecretariatNumber(const QString &year)
{
    db::Query &query = general();
    query.clear();
    query.add(QStringLiteral("select max(dabir_no) as m from tavrelkol where sal=?"), year.toInt());
    query.open();
    const db::Field highest = query.fieldByName(QStringLiteral("m"));
    return highest.isNull() ? QStringLiteral("1") : QString::number(highest.asInteger() + 1);
}

void Ttavrelkol_src::N1Click()
{
    Ttavrelkol_ins &entry = *forms::tavrelkol_ins;
    for (const Ttavrelkol_ins::Column &column : entry.columns())
        ui::setControlText(column.control, QString());
    entry.ui->mablagh->setText(QStringLiteral("0"));
    entry.ui->mablagh_kol->setText(QStringLiteral("0"));
    ui::setControlText(entry.ui->pardakhti, QStringLiteral("پرداخت نشد"));
    const QString year = fiscalYear();
    entry.ui->sal->setStoredText(year);
    entry.ui->dabir_no->setText(nextSecretariatNumber(year));
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, true);
}

void Ttavrelkol_src::N2Click()
{
    if (!hasCurrentRow())
        return;
    Ttavrelkol_ins &entry = *forms::tavrelkol_ins;
    db::Query &rows = list();
    for (const Ttavrelkol_ins::Column &column : entry.columns())
        ui::setControlText(column.control, rows.fieldByName(column.name).asString());
    listpage::showEntryForm(&entry, entry.ui->ins_btn, entry.ui->edit_btn, false);
}

void Ttavrelkol_src::N3Click()
{
    if (!hasCurrentRow() || !listpage::confirmDelete())
        return;
    // The purchase's attachments stay in tavrelkol_pic.
    list().deleteRecord();
    ui::showMessage(QStringLiteral("حذف شد"));
}

void Ttavrelkol_src::N6Click()
{
    // The attachments form comes with its own page; until then the command shows nothing.
}

void Ttavrelkol_src::N7Click()
{
    // The accounting cover letter comes with its own page; until then the command shows nothing.
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
    excel::ExportGridToExcel(list(), exportCaptions(), QStringLiteral("tavrelkol"));
}

void Ttavrelkol_src::N5Click()
{
    close();
}

void Ttavrelkol_src::DBGrid1TitleClick(int column)
{
    listpage::SortGridByTitle(*model_, column);
}

void Ttavrelkol_src::FormShow()
{
    ui::setComboItems(ui->us, querytexts::selectTexts(general(), QStringLiteral("select us from users")));
}

void Ttavrelkol_src::usChange()
{
    db::Query &query = general();
    query.clear();
    query.add(QStringLiteral("select * from users where us=?"), text::storedText(ui->us->currentText()));
    query.open();
    ui->user->setText(query.isEmpty() ? QString() : query.fieldByName(QStringLiteral("id")).asString());
}

void Ttavrelkol_src::DBGrid1CellClick()
{
    if (!hasCurrentRow())
        return;
    // A query of its own: the users query is the users page's list, which this look-up must not replace.
    db::Query users(forms::dm->ADOConnection1, QStringLiteral("balloon"));
    users.add(QStringLiteral("select us from users where id=?"),
              list().fieldByName(QStringLiteral("user_id")).asString());
    users.open();
    const QString name = users.isEmpty() ? QString() : users.fieldByName(QStringLiteral("us")).asString();
    ui::ShowBalloonTip(ui->DBGrid1, 1, name, QStringLiteral("User"));
}
