#include "anbar_ins_u.h"
#include "persian/Dates.h"
#include "pagekit/rows.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/field_check.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "pagekit/row_exists.h"
#include "pagekit/save.h"
#include "persian/persian_text.h"
#include "signed_in_user.h"
#include "stock.h"
#include "ui/click_label.h"
#include "ui/combo_items.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui/time_edit.h"
#include "ui_anbar_ins_u.h"
#include <QLineEdit>

namespace {

const QString wrongType = QStringLiteral("خطا! نوع درست انتخاب نشده است");
const QString notRegistered = QStringLiteral(
    "خطا! اين کالا در اين انبار موجود نيست. ابتدا مشخصات کالا را در بخش کالا ثبت نماييد");
const QString repeated = QStringLiteral("خطا! اين کالا در اين روز براي اين تحويل گيرنده در اين انبار تکراري است");
const QString notAvailable = QStringLiteral("خطا! اين مقدار از کالا موجود نمي باشد");
const QString otherUnit = QStringLiteral("خطا! واحد اين کالا در اين انبار «%1» است. مقدار را با همين واحد وارد نماييد");

db::Query &list() { return *forms::dm->ADOQ_anbar; }

// The unit the warehouse registers the goods of this code and description in; nullopt when it has no such goods.
std::optional<QString> registeredUnit(const QString &warehouse, const QVariant &code, const QString &description)
{
    db::Query &goods = *forms::dm->ADOQuery1;
    goods.clear();
    goods.add(QStringLiteral("select vahed from kala where anbar=? and cod=? and cmt=?"), {warehouse, code, description});
    goods.open();
    return goods.isEmpty() ? std::nullopt : std::optional<QString>(goods.fieldByName(QStringLiteral("vahed")).asString());
}

QStringList nonEmpty(QStringList values)
{
    values.removeAll(QString());
    return values;
}

} // namespace

Tanbar_ins::Tanbar_ins(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tanbar_ins>())
{
    ui->setupUi(this);
    ui->typ->setCurrentIndex(-1);
    using pagekit::Empty;
    using pagekit::Kind;
    const QList<pagekit::Field> editable = {
        {QStringLiteral("dat"), ui->dat, ui->Label6->text(), Kind::Date},
        {QStringLiteral("saat"), ui->saat, ui->Label7->text()},
        {QStringLiteral("mabda"), ui->mabda, ui->Label9->text()},
        {QStringLiteral("maghsad"), ui->maghsad, ui->Label10->text()},
        {QStringLiteral("tahvildahande"), ui->tahvildahande, ui->Label11->text()},
        {QStringLiteral("tahvilgirande"), ui->tahvilgirande, ui->Label12->text()},
        {QStringLiteral("cmt"), ui->cmt, ui->Label13->text()},
    };
    editable_.setFields(QStringLiteral("anbar"), editable);
    movement_.setFields(QStringLiteral("anbar"), QList<pagekit::Field>{
                            {QStringLiteral("nam"), ui->nam, ui->Label1->text()},
                            {QStringLiteral("typ"), ui->typ, ui->Label2->text()},
                            {QStringLiteral("kala_cod"), ui->kala_cod, ui->Label3->text(), Kind::Whole, Empty::Refused},
                            {QStringLiteral("kala_cmt"), ui->kala_cmt, ui->Label4->text()},
                            {QStringLiteral("kala_vahed"), ui->kala_vahed, ui->Label5->text()},
                            {QStringLiteral("meghdar"), ui->meghdar, ui->Label8->text(), Kind::Real, Empty::Refused},
                        }
                        + editable);

    // The cascade follows the user's own changes; texts the form sets itself start nothing.
    const auto onUserChange = [this](QComboBox *combo, void (Tanbar_ins::*handler)()) {
        ui::connectGuarded(combo->lineEdit(), &QLineEdit::textEdited, this, handler);
        ui::connectGuarded(combo, &QComboBox::activated, this, handler);
    };
    onUserChange(ui->nam, &Tanbar_ins::namChange);
    onUserChange(ui->kala_cod, &Tanbar_ins::kala_codChange);
    onUserChange(ui->kala_cmt, &Tanbar_ins::kala_cmtChange);
    ui::connectGuarded(ui->Label6, &ClickLabel::clicked, this, &Tanbar_ins::Label6Click);
    ui::connectGuarded(ui->Label7, &ClickLabel::clicked, this, &Tanbar_ins::Label7Click);
    ui::connectGuarded(ui->Label16, &ClickLabel::clicked, this, &Tanbar_ins::Label16Click);
    ui::connectGuarded(ui->Label15, &ClickLabel::clicked, this, &Tanbar_ins::Label15Click);
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tanbar_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tanbar_ins::edit_btnClick);
}

Tanbar_ins::~Tanbar_ins() = default;

void Tanbar_ins::setMovementFieldsEnabled(bool enabled)
{
    for (QWidget *field : std::initializer_list<QWidget *>{ui->nam, ui->typ, ui->kala_cod, ui->kala_cmt,
                                                           ui->kala_vahed, ui->meghdar})
        field->setEnabled(enabled);
}

void Tanbar_ins::prepareNew()
{
    movement_.clear();
    ui->mande->clear();
    ui->dat->setStoredText(shamsiToday());
    ui->saat->setToNow();
    setMovementFieldsEnabled(true);
    editedId_ = QVariant();
    ui->nam->setFocus(Qt::OtherFocusReason);
}

void Tanbar_ins::prepareEdit()
{
    db::Query &movement = list();
    movement_.fillFrom(movement);
    editable_.fillFrom(movement); // what the edit checks: a stored text longer than its column stays whole
    editedId_ = movement.fieldByName(QStringLiteral("id")).value();
    const std::optional<double> held = stock::held(movement.fieldByName(QStringLiteral("nam")).asString(),
                                                   movement.fieldByName(QStringLiteral("kala_cod")).value());
    ui->mande->setText(held ? stock::text(*held) : QString());
    // A stored movement keeps its warehouse, type, goods, unit and quantity: they are shown, not offered.
    setMovementFieldsEnabled(false);
    ui->dat->setFocus(Qt::OtherFocusReason);
}

void Tanbar_ins::FormShow()
{
    const bool inserting = !ui->edit_btn->isVisibleTo(this);
    picklist::LoadPickList(ui->nam, QStringLiteral("نام انبار"), picklist::Rows::Own, inserting);
    picklist::LoadPickList(ui->kala_vahed, QStringLiteral("واحد کالا"), picklist::Rows::Own, inserting);
    // The values already used are listed once per run of the program.
    for (QComboBox *used : {ui->mabda, ui->maghsad, ui->tahvildahande, ui->tahvilgirande}) {
        if (used->count() > 0)
            continue;
        ui::setComboItems(used, nonEmpty(querytexts::selectTexts(
                                    *forms::dm->adoq_set,
                                    QStringLiteral("select distinct ") + used->objectName() + QStringLiteral(" from anbar "))));
        if (inserting && used->count() == 1 && used->currentText().isEmpty())
            used->setCurrentIndex(0);
    }
    fillGoodsLists();
}

void Tanbar_ins::fillGoodsLists()
{
    db::Query &goods = *forms::dm->adoq_set;
    goods.clear();
    goods.add(QStringLiteral("select * from kala where anbar=?"), text::storedText(ui->nam->currentText()));
    goods.open();
    QStringList codes;
    QStringList descriptions;
    for (goods.first(); !goods.eof(); goods.next()) {
        codes << goods.fieldByName(QStringLiteral("cod")).asString();
        descriptions << goods.fieldByName(QStringLiteral("cmt")).asString();
    }
    ui::refillKeepingText(ui->kala_cod, codes);
    ui::refillKeepingText(ui->kala_cmt, descriptions);
}

void Tanbar_ins::namChange()
{
    fillGoodsLists();
    for (QComboBox *goods : {ui->kala_cod, ui->kala_cmt, ui->kala_vahed})
        goods->setEditText(QString());
    ui->mande->clear();
}

void Tanbar_ins::showGoods(const QString &column, const QVariant &value)
{
    db::Query &goods = *forms::dm->adoq_set;
    goods.clear();
    goods.add(QStringLiteral("select * from kala where anbar=? and ") + column + QStringLiteral("=?"),
              text::storedText(ui->nam->currentText()), value);
    goods.open();
    const bool found = !goods.isEmpty();
    const auto shown = [&](const char *name) {
        return found ? goods.fieldByName(QString::fromLatin1(name)).asString() : QString();
    };
    QComboBox *other = column == QStringLiteral("cod") ? ui->kala_cmt : ui->kala_cod;
    other->setEditText(shown(column == QStringLiteral("cod") ? "cmt" : "cod"));
    ui->kala_vahed->setEditText(shown("vahed"));
    ui->mande->setText(found ? stock::text(goods.fieldByName(QStringLiteral("mojodi")).asFloat()) : QString());
}

void Tanbar_ins::kala_codChange()
{
    const std::optional<int> code = fields::wholeNumber(ui->kala_cod->currentText());
    showGoods(QStringLiteral("cod"), code ? QVariant(*code) : QVariant(ui->kala_cod->currentText()));
}

void Tanbar_ins::kala_cmtChange()
{
    showGoods(QStringLiteral("cmt"), text::storedText(ui->kala_cmt->currentText()));
}

void Tanbar_ins::Label6Click() { ui->dat->setStoredText(shamsiToday()); }
void Tanbar_ins::Label7Click() { ui->saat->setToNow(); }
void Tanbar_ins::Label16Click() { ui->dat->setStoredText(QString()); }
void Tanbar_ins::Label15Click() { ui->saat->setStoredText(QString()); }

void Tanbar_ins::ins_btnClick()
{
    const QString type = text::storedText(ui->typ->currentText());
    if (type != stock::incoming && type != stock::outgoing)
        throw ui::Refusal(wrongType, ui->typ);
    times::checkTime(ui->saat, ui->Label7->text());
    const pagekit::Values values = movement_.checked(true);
    const QString warehouse = values[QStringLiteral("nam")].toString();
    const QVariant code = values[QStringLiteral("kala_cod")];
    const QString description = values[QStringLiteral("kala_cmt")].toString();
    const double quantity = values[QStringLiteral("meghdar")].toDouble();
    const ui::Refusal wrongQuantity(fields::refusalText(ui->Label8->text()), ui->meghdar);
    if (!(quantity >= 0 && quantity <= stock::largest))
        throw wrongQuantity;

    db::Query &rows = list();
    pagekit::openEmptyIfClosed(rows, QStringLiteral("anbar"));
    std::optional<double> before; // the stock as stored when the save began
    double after = 0;
    // The checks, the new stock, the movement and the audit row stand or fall together, in one write
    // transaction that reads the stock afresh.
    pagekit::Save save;
    save.query = &rows;
    save.lockedChecks = [&] {
        before = stock::heldRegistered(warehouse, code, description, values[QStringLiteral("kala_vahed")].toString());
        if (!before) {
            // Registered goods in another unit are told as such: their quantity would count in the wrong unit.
            if (const std::optional<QString> unit = registeredUnit(warehouse, code, description))
                throw ui::Refusal(otherUnit.arg(*unit), ui->kala_vahed);
            throw ui::Refusal(notRegistered, ui->kala_cod);
        }
        if (pagekit::rowExists(QStringLiteral("anbar"),
                               {{QStringLiteral("nam"), warehouse},
                                {QStringLiteral("typ"), type},
                                {QStringLiteral("kala_cod"), code},
                                {QStringLiteral("dat"), values[QStringLiteral("dat")]},
                                {QStringLiteral("tahvilgirande"), values[QStringLiteral("tahvilgirande")]}}))
            throw ui::Refusal(repeated, ui->kala_cod);
        after = stock::rounded(type == stock::incoming ? *before + quantity : *before - quantity);
        if (after > stock::largest)
            throw wrongQuantity;
        if (type == stock::outgoing && after < 0)
            throw ui::Refusal(notAvailable, ui->meghdar);
        stock::write(warehouse, code, after);
    };
    save.fill = [&](db::Query &row) {
        movement_.writeTo(row, values);
        row.fieldByName(QStringLiteral("us")).setValue(SignedInUser::instance().karbar());
    };
    save.audit = [&]() -> QString {
        return QStringLiteral(" ثبت انبار جديد  ") + description + u' ' + SignedInUser::instance().karbar();
    };
    try {
        pagekit::saveRow(save);
    } catch (...) {
        // The stock shown is the one the save found.
        if (before)
            ui->mande->setText(stock::text(*before));
        throw;
    }
    // No message: the new stock shows, and a further movement of the same goods starts from it.
    ui->mande->setText(stock::text(after));
}

void Tanbar_ins::edit_btnClick()
{
    times::checkTime(ui->saat, ui->Label7->text());
    const pagekit::Values values = editable_.checked(false);
    db::Query &rows = list();
    if (!editedId_.isValid() || !rows.locate(QStringLiteral("id"), editedId_))
        return;
    pagekit::Save save;
    save.query = &rows;
    save.mode = db::Query::State::Edit;
    save.fill = [&](db::Query &row) { editable_.writeTo(row, values); };
    pagekit::saveRow(save);
}
