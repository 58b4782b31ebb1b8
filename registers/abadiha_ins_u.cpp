#include "abadiha_ins_u.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/query_texts.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "persian/persian_text.h"
#include "signed_in_user.h"
#include "ui/combo_items.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_abadiha_ins_u.h"
#include <QLineEdit>

namespace {

const QString allRepeated = QStringLiteral("خطا! شهرستان و روستا و استان و کدآبادي تکراري است");
const QString codeRepeated = QStringLiteral("خطا! کد آبادي تکراريست");

db::Query &list() { return *forms::dm->ADOQ_abadiha; }

} // namespace

Tabadiha_ins::Tabadiha_ins(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tabadiha_ins>())
{
    ui->setupUi(this);
    fields.setFields(QStringLiteral("abadiha"), {
        {QStringLiteral("ostan"), ui->ostan, ui->Label1->text()},
        {QStringLiteral("shahrestan"), ui->shahrestan, ui->Label2->text()},
        {QStringLiteral("shahr"), ui->shahr, ui->Label3->text()},
        {QStringLiteral("bakhsh"), ui->bakhsh, ui->Label4->text()},
        {QStringLiteral("dehestan"), ui->dehestan, ui->Label5->text()},
        {QStringLiteral("rosta"), ui->rosta, ui->Label6->text()},
        {QStringLiteral("cod"), ui->cod, ui->Label7->text()},
    });
    // Only the user's own change of the province refills the counties; a command setting it does not.
    ui::connectGuarded(ui->ostan->lineEdit(), &QLineEdit::textEdited, this, &Tabadiha_ins::ostanChange);
    ui::connectGuarded(ui->ostan, &QComboBox::activated, this, &Tabadiha_ins::ostanChange);
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tabadiha_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tabadiha_ins::edit_btnClick);
}

Tabadiha_ins::~Tabadiha_ins() = default;

void Tabadiha_ins::prepareNew()
{
    fields.clear();
    editedId_ = QVariant();
}

void Tabadiha_ins::prepareEdit()
{
    fields.fillFrom(list());
    editedId_ = list().fieldByName(QStringLiteral("id")).value();
}

void Tabadiha_ins::FormShow()
{
    ui::setComboItems(ui->ostan,
                      querytexts::selectTexts(*forms::dm->ADOQuery1, QStringLiteral("select distinct ostan from abadiha")));
    fillCounties();
}

void Tabadiha_ins::fillCounties()
{
    // A query of the form's own, not the list's: the list under the form keeps the row being edited.
    ui::setComboItems(ui->shahrestan,
                      querytexts::selectTexts(*forms::dm->ADOQuery1,
                                              QStringLiteral("select distinct shahrestan from abadiha where ostan=?"),
                                              {text::storedText(ui->ostan->currentText())}));
}

void Tabadiha_ins::ostanChange()
{
    fillCounties();
    for (QComboBox *below : {ui->shahrestan, ui->shahr, ui->bakhsh, ui->dehestan, ui->rosta, ui->cod})
        below->setEditText(QString());
}

void Tabadiha_ins::ins_btnClick()
{
    const pagekit::Values values = fields.checked(true);
    db::Query &rows = list();
    pagekit::openEmptyIfClosed(rows, QStringLiteral("abadiha"));
    pagekit::Save save;
    save.query = &rows;
    save.lockedChecks = [&] {
        const auto value = [&](const char *column) {
            return pagekit::Match{QString::fromLatin1(column), values[QString::fromLatin1(column)]};
        };
        if (pagekit::rowExists(QStringLiteral("abadiha"),
                               {value("shahrestan"), value("rosta"), value("ostan"), value("cod")}))
            throw ui::Refusal(allRepeated, ui->cod);
        if (pagekit::rowExists(QStringLiteral("abadiha"), {value("cod")}))
            throw ui::Refusal(codeRepeated, ui->cod);
    };
    save.fill = [&](db::Query &row) { fields.writeTo(row, values); };
    save.audit = [&]() -> QString {
        return QStringLiteral(" ثبت کدآبادي جديد  ") + values[QStringLiteral("cod")].toString() + u' '
               + SignedInUser::instance().karbar();
    };
    save.done = QStringLiteral("ثبت شد");
    pagekit::saveRow(save);
}

void Tabadiha_ins::edit_btnClick()
{
    const pagekit::Values values = fields.checked(false);
    db::Query &rows = list();
    if (!editedId_.isValid() || !rows.locate(QStringLiteral("id"), editedId_))
        throw ui::Refusal(QStringLiteral("اين آبادي در فهرست نيست؛ دوباره جستجو کنيد"));
    pagekit::Save save;
    save.query = &rows;
    save.mode = db::Query::State::Edit;
    save.lockedChecks = [&] {
        if (pagekit::rowExists(QStringLiteral("abadiha"), {{QStringLiteral("cod"), values[QStringLiteral("cod")]}},
                               editedId_))
            throw ui::Refusal(codeRepeated, ui->cod);
    };
    save.fill = [&](db::Query &row) { fields.writeTo(row, values); };
    save.done = QStringLiteral("ويرايش شد");
    pagekit::saveRow(save);
    close();
}
