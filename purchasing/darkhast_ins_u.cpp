#include "darkhast_ins_u.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/buddy_caption.h"
#include "pagekit/listpage.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "pagekit/text_year.h"
#include "ui/combo_items.h"
#include "ui/control_text.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_darkhast_ins_u.h"

namespace {

const QString duplicateRefused = QStringLiteral("اين مشخصات تكراري است و قبلا ثبت شده است");

db::Query &list()
{
    return *forms::dm->ADOQ_darkhast;
}

// Whether the same unit asked for the same goods of the same project on the same date in the same year.
bool isDuplicate(const pagekit::Values &values)
{
    QList<pagekit::Match> key;
    for (const char *column : {"darkhastkonande", "darkhast_dat", "prj_name", "kala", "sal"})
        key.append({QString::fromLatin1(column), values[QString::fromLatin1(column)]});
    return pagekit::rowExists(QStringLiteral("darkhast"), key);
}


} // namespace

Tdarkhast_ins::Tdarkhast_ins(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Tdarkhast_ins)
{
    ui->setupUi(this);
    using pagekit::Kind;
    const auto field = [](QWidget *control, Kind kind = Kind::Text, pagekit::Empty empty = pagekit::Empty::Stored) {
        return pagekit::Field{QString(), control, pagekit::buddyCaption(control), kind, empty};
    };
    fields_.setFields(QStringLiteral("darkhast"), {
        field(ui->darkhastkonande),
        field(ui->darkhast_dat, Kind::Date),
        field(ui->prj_name),
        field(ui->kala),
        field(ui->cnt),
        field(ui->vahed),
        field(ui->moshakhasat),
        field(ui->est_dat, Kind::Date),
        field(ui->takhliye),
        field(ui->cmt),
        field(ui->sal, Kind::Year),
        field(ui->dabir_no),
        field(ui->dabir_dat, Kind::Date),
        field(ui->namayande),
        field(ui->tahvil_dat, Kind::Date),
        field(ui->radif, Kind::Whole, pagekit::Empty::Null),
        field(ui->status),
    });
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tdarkhast_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tdarkhast_ins::edit_btnClick);
}

Tdarkhast_ins::~Tdarkhast_ins()
{
    delete ui;
}

void Tdarkhast_ins::prepareNew()
{
    fields_.clear();
    ui::setControlText(ui->darkhast_dat, shamsiToday());
    ui::setControlText(ui->sal, fiscalYear());
    // The row number never starts again with a new year.
    proposed_ = QString::number(pagekit::nextNumber(list().connection(), QStringLiteral("darkhast"),
                                                    QStringLiteral("radif")));
    ui->radif->setText(proposed_);
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, true);
}

void Tdarkhast_ins::prepareEdit(db::Query &rows)
{
    fields_.fillFrom(rows);
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, false);
}

void Tdarkhast_ins::FormShow()
{
    using picklist::Rows;
    // The states are offered afresh every time; the other lists are filled while their box is empty, and
    // their only value is chosen for a new request, never over an edited request's value.
    const bool inserting = !ui->ins_btn->isHidden();
    picklist::LoadPickList(ui->status, QStringLiteral("وضعيت درخواست"), Rows::AllUsers, false);
    const std::pair<QComboBox *, QString> ownLists[] = {
        {ui->vahed, QStringLiteral("واحد")},
        {ui->darkhastkonande, QStringLiteral("واحد درخواست کننده")},
        {ui->prj_name, QStringLiteral("نام پروژه")},
        {ui->kala, QStringLiteral("نام کالا")},
    };
    for (const auto &[combo, title] : ownLists)
        if (combo->currentText().isEmpty())
            picklist::LoadPickList(combo, title, Rows::Own, inserting);
    // The delivery addresses already used, once per run.
    if (ui->takhliye->count() == 0) {
        ui::refillKeepingText(ui->takhliye, querytexts::selectTexts(*forms::dm->adoq_set,
                                                                    QStringLiteral("select distinct takhliye from darkhast ")));
        if (inserting && ui->takhliye->currentText().isEmpty() && ui->takhliye->count() == 1)
            ui->takhliye->setCurrentIndex(0);
    }
}

void Tdarkhast_ins::ins_btnClick()
{
    const pagekit::Values values = pagekit::yearAsText(fields_.checked(true));
    const bool holdsProposed = ui->radif->text().trimmed() == proposed_;
    pagekit::openEmptyIfClosed(list(), QStringLiteral("darkhast"));
    pagekit::Save save;
    save.query = &list();
    save.mode = db::Query::State::Insert;
    save.lockedChecks = [&] {
        if (isDuplicate(values))
            throw ui::Refusal(duplicateRefused);
    };
    // A proposed number another user stored meanwhile becomes the next free one.
    if (holdsProposed)
        save.number = pagekit::ProposedNumber{ui->radif, proposed_, QStringLiteral("darkhast"), QStringLiteral("radif"),
                                              QString(), QVariant()};
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    save.done = QStringLiteral("ثبت شد");
    pagekit::saveRow(save);
    if (holdsProposed)
        proposed_ = ui->radif->text().trimmed(); // the number stored, so the next press proposes after it
}

void Tdarkhast_ins::edit_btnClick()
{
    if (!pagekit::hasCurrentRow(list()))
        return;
    const pagekit::Values values = pagekit::yearAsText(fields_.checked(false));
    pagekit::Save save;
    save.query = &list();
    save.mode = db::Query::State::Edit;
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    pagekit::saveRow(save);
    close();
}
