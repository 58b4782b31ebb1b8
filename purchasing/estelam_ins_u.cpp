#include "estelam_ins_u.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/buddy_caption.h"
#include "pagekit/listpage.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "pagekit/text_year.h"
#include "signed_in_user.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_estelam_ins_u.h"

namespace {

db::Query &list()
{
    return *forms::dm->ADOQ_estelam;
}

// Whether a row of the inquiry's year already holds its values of these columns.
bool yearHolds(const pagekit::Values &values, const QStringList &columns)
{
    QList<pagekit::Match> key{{QStringLiteral("sal"), values[QStringLiteral("sal")]}};
    for (const QString &column : columns)
        key.append({column, values[column]});
    return pagekit::rowExists(QStringLiteral("estelam"), key);
}


} // namespace

Testelam_ins::Testelam_ins(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Testelam_ins)
{
    ui->setupUi(this);
    using pagekit::Kind;
    const auto field = [](QWidget *control, Kind kind = Kind::Text, pagekit::Empty empty = pagekit::Empty::Stored) {
        return pagekit::Field{QString(), control, pagekit::buddyCaption(control), kind, empty};
    };
    QList<pagekit::Field> all{
        field(ui->sal, Kind::Year),       field(ui->onvan),
        field(ui->meghdar),               field(ui->est_dat, Kind::Date),
        field(ui->viner),                 field(ui->mablagh1, Kind::Money),
        field(ui->mablagh, Kind::Money),
    };
    // The seventeen sign-off dates.
    for (QWidget *date : {static_cast<QWidget *>(ui->hoghoghi), static_cast<QWidget *>(ui->tavrel),
                          static_cast<QWidget *>(ui->takarokat), static_cast<QWidget *>(ui->modir_prj),
                          static_cast<QWidget *>(ui->bazsazi_kar), static_cast<QWidget *>(ui->omran_kar),
                          static_cast<QWidget *>(ui->bazsazi_moa), static_cast<QWidget *>(ui->maskan_kar),
                          static_cast<QWidget *>(ui->it), static_cast<QWidget *>(ui->mali),
                          static_cast<QWidget *>(ui->omran_moa), static_cast<QWidget *>(ui->mashin),
                          static_cast<QWidget *>(ui->poshtibani_moa), static_cast<QWidget *>(ui->maskan_moa),
                          static_cast<QWidget *>(ui->vali), static_cast<QWidget *>(ui->herasat),
                          static_cast<QWidget *>(ui->modirkol)})
        all << field(date, Kind::Date);
    all << field(ui->dabir_dat, Kind::Date) << field(ui->dabir_no) << field(ui->cmt)
        << field(ui->radif, Kind::Whole, pagekit::Empty::Null) << field(ui->estelam_no);
    fields_.setFields(QStringLiteral("estelam"), all);

    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Testelam_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Testelam_ins::edit_btnClick);
}

Testelam_ins::~Testelam_ins()
{
    delete ui;
}

void Testelam_ins::prepareNew()
{
    fields_.clear();
    const QString year = fiscalYear();
    ui->sal->setStoredText(year);
    // Inquiries are numbered within their year.
    ui->radif->setText(QString::number(pagekit::nextNumber(list().connection(), QStringLiteral("estelam"),
                                                           QStringLiteral("radif"), QStringLiteral("sal"), year)));
    for (QLineEdit *zero : {static_cast<QLineEdit *>(ui->meghdar), static_cast<QLineEdit *>(ui->mablagh1),
                            static_cast<QLineEdit *>(ui->mablagh)})
        zero->setText(QStringLiteral("0"));
    ui->onvan->setFocus();
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, true);
}

void Testelam_ins::prepareEdit(db::Query &rows)
{
    fields_.fillFrom(rows);
    ui->onvan->setFocus();
    listpage::showEntryForm(this, ui->ins_btn, ui->edit_btn, false);
}

void Testelam_ins::ins_btnClick()
{
    const pagekit::Values values = pagekit::yearAsText(fields_.checked(true));
    pagekit::Save save;
    save.query = &list();
    save.mode = db::Query::State::Insert;
    // Checked under the write lock: of two users saving the same proposed number, the second is refused.
    save.lockedChecks = [&] {
        if (yearHolds(values, {QStringLiteral("radif")}))
            throw ui::Refusal(QStringLiteral("خطا! شماره رديف در اين سال تکراريست"), ui->radif);
        if (yearHolds(values, {QStringLiteral("onvan"), QStringLiteral("est_dat")}))
            throw ui::Refusal(QStringLiteral("خطا! شرح و تاريخ استعلام در اين سال تکراريست"), ui->onvan);
    };
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    save.audit = [&]() -> QString {
        return QStringLiteral(" ثبت استعلام جديد  ") + values[QStringLiteral("onvan")].toString() + u' '
               + SignedInUser::instance().karbar();
    };
    // No message: the form stays open with its texts.
    pagekit::saveRow(save);
}

void Testelam_ins::edit_btnClick()
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
