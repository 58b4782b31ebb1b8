#include "kala_ins_u.h"
#include "pagekit/rows.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/picklist.h"
#include "pagekit/row_exists.h"
#include "pagekit/save.h"
#include "signed_in_user.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_kala_ins_u.h"
#include <QRegularExpressionValidator>

namespace {

const QString codeRepeated = QStringLiteral("خطا! اين کد کالا در اين انبار تکراري است");
const QString descriptionRepeated = QStringLiteral("خطا! اين شرح کالا در اين انبار تکراري است");
const QString movedGoods =
    QStringLiteral("خطا! براي اين کالا در انبار گردش ثبت شده است و انبار و کد آن قابل تغيير نيست");

db::Query &list() { return *forms::dm->ADOQ_kala; }

} // namespace

Tkala_ins::Tkala_ins(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tkala_ins>())
{
    ui->setupUi(this);
    // The code takes digits only (Persian and Arabic-Indic ones too); backspace and Enter still work.
    ui->cod->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9\u06F0-\u06F9\u0660-\u0669]*")), ui->cod));
    using pagekit::Empty;
    using pagekit::Kind;
    fields.setFields(QStringLiteral("kala"), {
        {QStringLiteral("anbar"), ui->anbar_name, ui->Label1->text()},
        {QStringLiteral("cod"), ui->cod, ui->Label2->text(), Kind::Whole, Empty::Refused},
        {QStringLiteral("cmt"), ui->cmt, ui->Label3->text()},
        {QStringLiteral("vahed"), ui->vahed, ui->Label4->text()},
    });
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tkala_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tkala_ins::edit_btnClick);
}

Tkala_ins::~Tkala_ins() = default;

void Tkala_ins::prepareNew()
{
    fields.clear();
    editedId_ = QVariant();
    ui->cod->setText(QString::number(pagekit::nextNumber(forms::dm->ADOConnection1, QStringLiteral("kala"),
                                                         QStringLiteral("cod"))));
}

void Tkala_ins::prepareEdit()
{
    db::Query &row = list();
    fields.fillFrom(row);
    editedId_ = row.fieldByName(QStringLiteral("id")).value();
    storedWarehouse_ = row.fieldByName(QStringLiteral("anbar")).asString();
    storedCode_ = row.fieldByName(QStringLiteral("cod")).value();
    storedDescription_ = row.fieldByName(QStringLiteral("cmt")).asString();
}

void Tkala_ins::FormShow()
{
    // The only warehouse or unit is chosen for a new item, never over an edited item's own.
    const bool inserting = !ui->edit_btn->isVisibleTo(this);
    picklist::LoadPickList(ui->anbar_name, QStringLiteral("نام انبار"), picklist::Rows::Own, inserting);
    picklist::LoadPickList(ui->vahed, QStringLiteral("واحد کالا"), picklist::Rows::Own, inserting);
}

void Tkala_ins::checkRepeats(const pagekit::Values &values, const QVariant &exceptId)
{
    const pagekit::Match warehouse{QStringLiteral("anbar"), values[QStringLiteral("anbar")]};
    if (pagekit::rowExists(QStringLiteral("kala"), {warehouse, {QStringLiteral("cod"), values[QStringLiteral("cod")]}},
                           exceptId))
        throw ui::Refusal(codeRepeated, ui->cod);
    if (pagekit::rowExists(QStringLiteral("kala"), {warehouse, {QStringLiteral("cmt"), values[QStringLiteral("cmt")]}},
                           exceptId))
        throw ui::Refusal(descriptionRepeated, ui->cmt);
}

void Tkala_ins::ins_btnClick()
{
    const pagekit::Values values = fields.checked(true);
    pagekit::openEmptyIfClosed(list(), QStringLiteral("kala"));
    pagekit::Save save;
    save.query = &list();
    save.lockedChecks = [&] { checkRepeats(values, QVariant()); };
    save.fill = [&](db::Query &row) {
        fields.writeTo(row, values);
        row.fieldByName(QStringLiteral("mojodi")).setValue(0.0);
    };
    save.audit = [&]() -> QString {
        return QStringLiteral(" ثبت کالا جديد  ") + values[QStringLiteral("cmt")].toString() + u' '
               + SignedInUser::instance().karbar();
    };
    // No message: the form stays open for the next item, which the list already shows.
    pagekit::saveRow(save);
}

void Tkala_ins::edit_btnClick()
{
    // Saved or refused, the edit ends with the form closed.
    const struct CloseAfter {
        QWidget *form;
        ~CloseAfter() { form->close(); }
    } closeAfter{this};

    const pagekit::Values values = fields.checked(false);
    db::Query &rows = list();
    if (!editedId_.isValid() || !rows.locate(QStringLiteral("id"), editedId_))
        return;
    const bool moved = values[QStringLiteral("anbar")].toString() != storedWarehouse_
                       || values[QStringLiteral("cod")].toLongLong() != storedCode_.toLongLong();
    const bool renamed = values[QStringLiteral("cmt")].toString() != storedDescription_;

    pagekit::Save save;
    save.query = &rows;
    save.mode = db::Query::State::Edit;
    save.lockedChecks = [&] {
        // Movements name their goods by warehouse and code: those of goods with movements stay.
        if (moved && pagekit::rowExists(QStringLiteral("anbar"), {{QStringLiteral("nam"), storedWarehouse_},
                                                                   {QStringLiteral("kala_cod"), storedCode_}}))
            throw ui::Refusal(movedGoods, ui->cod);
        if (moved || renamed)
            checkRepeats(values, editedId_);
    };
    save.fill = [&](db::Query &row) { fields.writeTo(row, values); };
    save.audit = [&]() -> QString {
        return QStringLiteral(" ويرايش کالا  ") + values[QStringLiteral("cmt")].toString() + u' '
               + SignedInUser::instance().karbar();
    };
    pagekit::saveRow(save);
}
