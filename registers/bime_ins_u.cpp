#include "bime_ins_u.h"
#include "pagekit/rows.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/picklist.h"
#include "pagekit/row_exists.h"
#include "pagekit/save.h"
#include "signed_in_user.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_bime_ins_u.h"

namespace {

const QString numberRepeated =
    QStringLiteral("هشدار! شماره بيمه نامه و نوع بيمه نامه تکراري است. آيا ميخواهيد ادامه دهيد؟");
const QString policyRepeated =
    QStringLiteral("هشدار! بيمه نامه و بيمه کننده و نام پروژه تکراري است. آيا ميخواهيد ادامه دهيد؟");

db::Query &list() { return *forms::dm->adoq_bime; }

} // namespace

Tbime_ins::Tbime_ins(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tbime_ins>())
{
    ui->setupUi(this);
    using pagekit::Empty;
    using pagekit::Kind;
    fields.setFields(QStringLiteral("bime"), {
        {QStringLiteral("bimename"), ui->bimename, ui->Label1->text()},
        {QStringLiteral("bimekonande"), ui->bimekonande, ui->Label2->text()},
        {QStringLiteral("prj_name"), ui->prj_name, ui->Label3->text()},
        {QStringLiteral("sodor_dat"), ui->sodor_dat, ui->Label4->text(), Kind::Date},
        {QStringLiteral("khateme_dat"), ui->khateme_dat, ui->Label5->text(), Kind::Date},
        {QStringLiteral("bime_no"), ui->bime_no, ui->Label6->text()},
        {QStringLiteral("mablagh"), ui->mablagh, ui->Label7->text(), Kind::Money, Empty::Null},
        {QStringLiteral("cmt"), ui->cmt, ui->Label8->text()},
    });
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tbime_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tbime_ins::edit_btnClick);
}

Tbime_ins::~Tbime_ins() = default;

void Tbime_ins::loadPickLists(QComboBox *bimename, QComboBox *bimekonande, QComboBox *prj_name, bool selectSingle)
{
    using picklist::Rows;
    picklist::LoadPickList(bimename, QStringLiteral("بيمه نامه"), Rows::AllUsers, selectSingle);
    picklist::LoadPickList(bimekonande, QStringLiteral("بيمه کننده"), Rows::AllUsers, selectSingle);
    picklist::LoadPickList(prj_name, QStringLiteral("نام پروژه"), Rows::AllUsers, selectSingle);
}

void Tbime_ins::prepareNew()
{
    fields.clear();
    ui->mablagh->setText(QStringLiteral("0"));
}

void Tbime_ins::prepareEdit()
{
    fields.fillFrom(list());
}

void Tbime_ins::FormShow()
{
    // A single value is chosen for a new policy only: an edited policy shows what it holds.
    loadPickLists(ui->bimename, ui->bimekonande, ui->prj_name, !ui->edit_btn->isVisibleTo(this));
}

QString Tbime_ins::auditText(const pagekit::Values &values)
{
    // Edits are written with the phrase of a new policy, as they always were.
    return QStringLiteral(" ثبت بيمه جديد  ") + values[QStringLiteral("bimename")].toString() + u' '
           + SignedInUser::instance().karbar();
}

void Tbime_ins::ins_btnClick()
{
    const pagekit::Values values = fields.checked(true);
    const auto match = [&](const char *column) {
        return pagekit::Match{QString::fromLatin1(column), values[QString::fromLatin1(column)]};
    };
    // Both warnings are asked, whatever the first was answered; anything but Yes keeps the policy unsaved.
    bool accepted = true;
    if (!values[QStringLiteral("bime_no")].toString().trimmed().isEmpty()
        && pagekit::rowExists(QStringLiteral("bime"), {match("bimename"), match("bime_no")})
        && !ui::confirmWarning(numberRepeated))
        accepted = false;
    if (pagekit::rowExists(QStringLiteral("bime"), {match("bimename"), match("bimekonande"), match("prj_name")})
        && !ui::confirmWarning(policyRepeated))
        accepted = false;
    if (!accepted)
        return;

    pagekit::openEmptyIfClosed(list(), QStringLiteral("bime"));
    pagekit::Save save;
    save.query = &list();
    save.fill = [&](db::Query &row) {
        fields.writeTo(row, values);
        row.fieldByName(QStringLiteral("us")).setValue(SignedInUser::instance().karbar());
    };
    save.audit = [&]() -> QString { return auditText(values); };
    save.done = QStringLiteral("ثبت شد");
    pagekit::saveRow(save);
}

void Tbime_ins::edit_btnClick()
{
    if (!pagekit::hasCurrentRow(list()))
        return;
    const pagekit::Values values = fields.checked(false);
    pagekit::Save save;
    save.query = &list();
    save.mode = db::Query::State::Edit;
    save.fill = [&](db::Query &row) {
        fields.writeTo(row, values);
        row.fieldByName(QStringLiteral("us")).setValue(SignedInUser::instance().karbar());
    };
    save.audit = [&]() -> QString { return auditText(values); };
    pagekit::saveRow(save);
    close();
}
