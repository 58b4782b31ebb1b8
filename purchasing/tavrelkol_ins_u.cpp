#include "tavrelkol_ins_u.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/listpage.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "persian/persian_text.h"
#include "signed_in_user.h"
#include "ui/click_label.h"
#include "ui/combo_items.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/enter_chain.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_tavrelkol_ins_u.h"
#include <QComboBox>

using namespace Qt::StringLiterals;
using pagekit::Empty;
using pagekit::Kind;

namespace {

const QString yearRepeated = u"هشدار! شماره دبيرخانه در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
const QString invoiceRepeated = u"هشدار! شماره فاکتور در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
const QString receiptRepeated = u"هشدار! شماره رسيد در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟"_s;
const QString duplicateRefused = u"خطا! نام پروژه و موضوع و تاريخ خريد،شماره فاکتور و رسيد تکراريست"_s;
const QString unitTitle = u"واحد"_s;

db::Query &list()
{
    return *forms::dm->ADOQ_tavrel;
}

db::Query &general()
{
    return *forms::dm->ADOQuery1;
}

} // namespace

Ttavrelkol_ins::Ttavrelkol_ins(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Ttavrelkol_ins)
{
    ui->setupUi(this);
    // The lists given in the layout choose nothing until a command fills the fields.
    for (QComboBox *combo : {ui->vahed, ui->bank, ui->pardakhti})
        combo->setCurrentIndex(-1);
    const auto field = [](QWidget *control, const QLabel *caption, Kind kind = Kind::Text,
                          Empty empty = Empty::Stored) {
        return pagekit::Field{QString(), control, caption->text(), kind, empty};
    };
    // The 22 fields in the order a row is written (user_id is not among them).
    fields_.setFields(u"tavrelkol"_s, {
        field(ui->prj_name, ui->Label1), field(ui->mozo, ui->Label2), field(ui->cnt, ui->Label3),
        field(ui->vahed, ui->Label4), field(ui->mablagh, ui->Label5, Kind::Money, Empty::Null),
        field(ui->mablagh_kol, ui->Label6, Kind::Money, Empty::Null),
        field(ui->tavrel_dat, ui->Label7, Kind::Date), field(ui->pardakht_dat, ui->Label8, Kind::Date),
        field(ui->foroshande, ui->Label9), field(ui->resid, ui->Label10), field(ui->faktor_no, ui->Label11),
        field(ui->kargah, ui->Label12), field(ui->sal, ui->Label13, Kind::Year, Empty::Refused),
        field(ui->cmt, ui->Label14), field(ui->mozo_cmt, ui->Label15), field(ui->nam, ui->Label16),
        field(ui->hesab_no, ui->Label17), field(ui->bank, ui->Label18), field(ui->nation, ui->Label19),
        // An edited older row may keep an empty secretariat number.
        field(ui->dabir_no, ui->Label20, Kind::Positive, Empty::RefusedOnInsert),
        field(ui->darkhast_no, ui->Label21), field(ui->pardakhti, ui->Label22),
    });

    ui::installEnterChain({ui->prj_name, ui->mozo, ui->cnt, ui->vahed, ui->mablagh, ui->mablagh_kol, ui->tavrel_dat,
                           ui->pardakht_dat, ui->foroshande, ui->resid, ui->faktor_no, ui->kargah, ui->sal, ui->cmt});

    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Ttavrelkol_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Ttavrelkol_ins::edit_btnClick);
    ui::connectGuarded(ui->foroshande, &QComboBox::currentTextChanged, this, &Ttavrelkol_ins::foroshandeChange);
    ui::connectGuarded(ui->Label1, &ClickLabel::clicked, this, &Ttavrelkol_ins::Label1Click);
    ui::connectGuarded(ui->Label2, &ClickLabel::clicked, this, &Ttavrelkol_ins::Label2Click);
    ui::connectGuarded(ui->Label4, &ClickLabel::clicked, this, &Ttavrelkol_ins::Label4Click);
    ui::connectGuarded(ui->Label9, &ClickLabel::clicked, this, &Ttavrelkol_ins::Label9Click);
    ui::connectGuarded(ui->Label12, &ClickLabel::clicked, this, &Ttavrelkol_ins::Label12Click);
}

Ttavrelkol_ins::~Ttavrelkol_ins()
{
    delete ui;
}

void Ttavrelkol_ins::prepareNew()
{
    fields_.clear();
    ui->mablagh->setText(u"0"_s);
    ui->mablagh_kol->setText(u"0"_s);
    ui::setControlText(ui->pardakhti, u"پرداخت نشد"_s);
    const QString year = fiscalYear();
    ui->sal->setStoredText(year);
    proposedNumber_ = QString::number(pagekit::nextNumber(list().connection(), u"tavrelkol"_s, u"dabir_no"_s,
                                                          u"sal"_s, year.toInt()));
    proposedYear_ = year;
    ui->dabir_no->setText(proposedNumber_);
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, true);
}

void Ttavrelkol_ins::prepareEdit(db::Query &rows)
{
    fields_.fillFrom(rows);
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, false);
}

void Ttavrelkol_ins::FormShow()
{
    ui::setComboItems(ui->foroshande, querytexts::selectTexts(*forms::dm->adoq_set,
                                                              u"select distinct foroshgah from foroshandegan "_s));
    // The user's own units; the only one is chosen for a new purchase, never for an edited row, whose unit
    // (even an empty one) stays as stored.
    const bool newPurchase = !ui->edit_btn->isVisibleTo(this);
    picklist::LoadPickList(ui->vahed, unitTitle, picklist::Rows::Own, newPurchase);
}

void Ttavrelkol_ins::foroshandeChange()
{
    db::Query &vendor = *forms::dm->adoq_set;
    vendor.clear();
    vendor.add(u"select * from foroshandegan where foroshgah=?"_s, text::storedText(ui->foroshande->currentText()));
    vendor.open();
    const bool found = !vendor.isEmpty();
    for (QWidget *control : {static_cast<QWidget *>(ui->nam), static_cast<QWidget *>(ui->hesab_no),
                             static_cast<QWidget *>(ui->bank), static_cast<QWidget *>(ui->nation)})
        ui::setControlText(control, found ? vendor.fieldByName(control->objectName()).asString() : QString());
}

void Ttavrelkol_ins::refillFromColumn(const QString &column)
{
    auto *combo = findChild<QComboBox *>(column);
    Q_ASSERT(combo);
    ui::setComboItems(combo, querytexts::selectTexts(general(), u"select distinct "_s + column + u" from tavrelkol"_s));
}

void Ttavrelkol_ins::Label1Click() { refillFromColumn(u"prj_name"_s); }
void Ttavrelkol_ins::Label2Click() { refillFromColumn(u"mozo"_s); }
void Ttavrelkol_ins::Label4Click() { refillFromColumn(u"vahed"_s); }
void Ttavrelkol_ins::Label9Click() { refillFromColumn(u"foroshande"_s); }
void Ttavrelkol_ins::Label12Click() { refillFromColumn(u"kargah"_s); }

bool Ttavrelkol_ins::holdsProposedNumber() const
{
    return ui->dabir_no->text().trimmed() == proposedNumber_ && ui->sal->storedText() == proposedYear_;
}

bool Ttavrelkol_ins::repeatsAccepted(const pagekit::Values &values) const
{
    const QVariant year = values[u"sal"_s];
    // Whether a row of the same year already holds the value; an empty number repeats nothing.
    const auto repeats = [&](const QString &column) {
        const QVariant value = values[column];
        if (value.toString().trimmed().isEmpty())
            return false;
        return pagekit::numberTaken(list().connection(), u"tavrelkol"_s, column, value, u"sal"_s, year);
    };
    // The proposed secretariat number is no repeat: if another user took it, the save takes the next free one.
    const bool proposed = holdsProposedNumber();
    bool accepted = true;
    // Every warning is asked, whatever the answer to the one before.
    const std::pair<QString, QString> checks[] = {
        {u"dabir_no"_s, yearRepeated}, {u"faktor_no"_s, invoiceRepeated}, {u"resid"_s, receiptRepeated}};
    for (const auto &[column, question] : checks) {
        if (column == u"dabir_no"_s && proposed)
            continue;
        if (repeats(column) && !ui::confirmWarning(question))
            accepted = false;
    }
    return accepted;
}

void Ttavrelkol_ins::refuseDuplicate(const pagekit::Values &values) const
{
    db::Query query(list().connection(), u"duplicate"_s);
    query.add(u"select id from "_s + list().connection().dialect().lockedTable(u"tavrelkol"_s)
                  + u" where prj_name=?"_s,
              values[u"prj_name"_s]);
    for (const QString &column : {u"mozo"_s, u"tavrel_dat"_s, u"faktor_no"_s, u"resid"_s})
        query.add(u" and "_s + column + u"=?"_s, values[column]);
    query.open();
    if (!query.isEmpty())
        throw ui::Refusal(duplicateRefused);
}

void Ttavrelkol_ins::ins_btnClick()
{
    const pagekit::Values values = fields_.checked(true);
    if (!repeatsAccepted(values))
        return;
    pagekit::Save save;
    save.query = &list();
    save.mode = db::Query::State::Insert;
    save.lockedChecks = [&] { refuseDuplicate(values); };
    if (holdsProposedNumber())
        save.number = pagekit::ProposedNumber{ui->dabir_no, proposedNumber_, u"tavrelkol"_s, u"dabir_no"_s, u"sal"_s,
                                              values[u"sal"_s]};
    save.fill = [&](db::Query &row) {
        fields_.writeTo(row, values);
        bool signedIn = false;
        const qint64 userId = SignedInUser::instance().prsId().toLongLong(&signedIn);
        row.fieldByName(u"user_id"_s).setValue(signedIn ? QVariant(userId) : QVariant());
    };
    save.audit = [&]() -> QString {
        return u" ثبت خريد جديد  "_s + values[u"mozo_cmt"_s].toString() + u' ' + SignedInUser::instance().karbar();
    };
    save.done = u"ثبت شد"_s;
    pagekit::saveRow(save);
}

void Ttavrelkol_ins::edit_btnClick()
{
    db::Query &rows = list();
    if (!pagekit::hasCurrentRow(rows))
        return;
    const pagekit::Values values = fields_.checked(false);
    pagekit::Save save;
    save.query = &rows;
    save.mode = db::Query::State::Edit;
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    save.done = u"ويرايش شد"_s;
    pagekit::saveRow(save);
}
