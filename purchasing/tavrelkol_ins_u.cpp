#include "tavrelkol_ins_u.h"
#include "audit.h"
#include "dm_u.h"
#include "pagekit/field_check.h"
#include "forms.h"
#include "persian_text.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "signed_in_user.h"
#include "ui/click_label.h"
#include "ui/combo_items.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/enter_chain.h"
#include "ui/guard.h"
#include "ui_tavrelkol_ins_u.h"
#include <QComboBox>

namespace {

const QString yearRepeated =
    QStringLiteral("هشدار! شماره دبيرخانه در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟");
const QString invoiceRepeated =
    QStringLiteral("هشدار! شماره فاکتور در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟");
const QString receiptRepeated =
    QStringLiteral("هشدار! شماره رسيد در اين سال تکراريست. آيا مي خواهيد ادامه دهيد؟");
const QString duplicateRefused =
    QStringLiteral("خطا! نام پروژه و موضوع و تاريخ خريد،شماره فاکتور و رسيد تکراريست");
const QString amountCaption = QStringLiteral("Mablagh");
const QString amountPrompt = QStringLiteral("مبلغ بزرگ است، لطفا بدون ويرگول وارد نماييد");
const QString unitTitle = QStringLiteral("واحد");

bool isTextField(const db::FieldDef &field)
{
    return field.type == db::FieldType::WideText || field.type == db::FieldType::Text;
}

db::Query &list()
{
    return *forms::dm->ADOQ_tavrel;
}

db::Query &general()
{
    return *forms::dm->ADOQuery1;
}

} // namespace

Ttavrelkol_ins::Ttavrelkol_ins(QWidget *parent) : QDialog(parent), ui(new Ui::Ttavrelkol_ins)
{
    ui->setupUi(this);
    // The lists given in the layout choose nothing until a command fills the fields.
    for (QComboBox *combo : {ui->vahed, ui->bank, ui->pardakhti})
        combo->setCurrentIndex(-1);
    const auto column = [](QWidget *control, const QLabel *caption) {
        return Column{control->objectName(), control, caption->text()};
    };
    columns_ = {
        column(ui->prj_name, ui->Label1),     column(ui->mozo, ui->Label2),       column(ui->cnt, ui->Label3),
        column(ui->vahed, ui->Label4),        column(ui->mablagh, ui->Label5),    column(ui->mablagh_kol, ui->Label6),
        column(ui->tavrel_dat, ui->Label7),   column(ui->pardakht_dat, ui->Label8),
        column(ui->foroshande, ui->Label9),   column(ui->resid, ui->Label10),     column(ui->faktor_no, ui->Label11),
        column(ui->kargah, ui->Label12),      column(ui->sal, ui->Label13),       column(ui->cmt, ui->Label14),
        column(ui->mozo_cmt, ui->Label15),    column(ui->nam, ui->Label16),       column(ui->hesab_no, ui->Label17),
        column(ui->bank, ui->Label18),        column(ui->nation, ui->Label19),    column(ui->dabir_no, ui->Label20),
        column(ui->darkhast_no, ui->Label21), column(ui->pardakhti, ui->Label22),
    };

    // A text field takes no more characters than its column holds.
    for (const db::FieldDef &field : list().declaredFields()) {
        if (!isTextField(field) || field.size <= 0)
            continue;
        QWidget *control = findChild<QWidget *>(field.name);
        if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->lineEdit()->setMaxLength(field.size);
        else if (auto *edit = qobject_cast<QLineEdit *>(control); edit && edit->inputMask().isEmpty())
            edit->setMaxLength(field.size);
    }

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

void Ttavrelkol_ins::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui::guarded([this] { FormShow(); });
}

void Ttavrelkol_ins::FormShow()
{
    ui::setComboItems(ui->foroshande,
                      querytexts::selectTexts(*forms::dm->adoq_set,
                                              QStringLiteral("select distinct foroshgah from foroshandegan ")));
    // The user's own units; the only one is chosen for a new purchase, never for an edited row, whose unit
    // (even an empty one) stays as stored.
    const bool newPurchase = !ui->edit_btn->isVisibleTo(this);
    picklist::LoadPickList(ui->vahed, unitTitle, picklist::Rows::Own, newPurchase);
    ui::sortComboItems(ui->vahed);
}

void Ttavrelkol_ins::foroshandeChange()
{
    db::Query &vendor = *forms::dm->adoq_set;
    vendor.clear();
    vendor.add(QStringLiteral("select * from foroshandegan where foroshgah=?"),
               text::storedText(ui->foroshande->currentText()));
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
    ui::setComboItems(combo, querytexts::selectTexts(general(), QStringLiteral("select distinct ") + column
                                                                    + QStringLiteral(" from tavrelkol")));
}

void Ttavrelkol_ins::Label1Click() { refillFromColumn(QStringLiteral("prj_name")); }
void Ttavrelkol_ins::Label2Click() { refillFromColumn(QStringLiteral("mozo")); }
void Ttavrelkol_ins::Label4Click() { refillFromColumn(QStringLiteral("vahed")); }
void Ttavrelkol_ins::Label9Click() { refillFromColumn(QStringLiteral("foroshande")); }
void Ttavrelkol_ins::Label12Click() { refillFromColumn(QStringLiteral("kargah")); }

std::optional<QVariant> Ttavrelkol_ins::checkedAmount(const Column &column, bool inserting)
{
    const QString typed = ui::controlText(column.control);
    if (typed.trimmed().isEmpty())
        return QVariant(); // an amount left empty is stored as null
    if (const std::optional<qint64> value = fields::rials(typed))
        return QVariant(*value);
    // A new purchase's unit price typed with separators is asked for once more.
    if (inserting && column.control == ui->mablagh) {
        const std::optional<QString> again = ui::dialogs().input(amountCaption, amountPrompt, typed);
        if (again) {
            if (const std::optional<qint64> value = fields::rials(*again)) {
                ui->mablagh->setText(QString::number(*value));
                return QVariant(*value);
            }
        }
    }
    ui::showMessage(fields::refusalText(column.caption));
    return std::nullopt;
}

std::optional<QList<QVariant>> Ttavrelkol_ins::checkedValues(bool inserting)
{
    QList<QVariant> values;
    for (const Column &column : columns_) {
        if (column.control == ui->mablagh || column.control == ui->mablagh_kol) {
            const std::optional<QVariant> amount = checkedAmount(column, inserting);
            if (!amount)
                return std::nullopt;
            values.append(*amount);
        } else if (column.control == ui->sal || column.control == ui->dabir_no) {
            const QString typed = ui::controlText(column.control);
            // An edited row may keep an empty secretariat number, as older rows hold.
            if (!inserting && column.control == ui->dabir_no && typed.trimmed().isEmpty()) {
                values.append(QVariant());
                continue;
            }
            const std::optional<int> number = fields::wholeNumber(typed);
            if (!number) {
                ui::showMessage(fields::refusalText(column.caption));
                return std::nullopt;
            }
            values.append(*number);
        } else {
            // An empty field is stored as an empty text, not as null.
            const QString stored = text::storedText(ui::controlText(column.control));
            values.append(stored.isNull() ? QStringLiteral("") : stored);
        }
    }
    return values;
}

QVariant Ttavrelkol_ins::valueOf(const QList<QVariant> &values, const QString &name) const
{
    for (qsizetype i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).name == name)
            return values.at(i);
    Q_ASSERT_X(false, "valueOf", "no such column");
    return {};
}

bool Ttavrelkol_ins::repeatsAccepted(const QList<QVariant> &values)
{
    const QVariant year = valueOf(values, QStringLiteral("sal"));
    // Whether a row of the same year already holds the value; an empty number repeats nothing.
    const auto repeats = [&](const QString &column) {
        const QVariant value = valueOf(values, column);
        if (value.toString().trimmed().isEmpty())
            return false;
        db::Query &query = general();
        query.clear();
        query.add(QStringLiteral("select id from tavrelkol where sal=?"), year);
        query.add(QStringLiteral(" and ") + column + QStringLiteral("=?"), value);
        query.open();
        return !query.isEmpty();
    };
    bool accepted = true;
    // Every warning is asked, whatever the answer to the one before.
    const std::pair<QString, QString> checks[] = {{QStringLiteral("dabir_no"), yearRepeated},
                                                  {QStringLiteral("faktor_no"), invoiceRepeated},
                                                  {QStringLiteral("resid"), receiptRepeated}};
    for (const auto &[column, question] : checks)
        if (repeats(column) && !ui::confirmWarning(question))
            accepted = false;
    return accepted;
}

bool Ttavrelkol_ins::isDuplicate(const QList<QVariant> &values)
{
    db::Query &query = general();
    query.clear();
    query.add(QStringLiteral("select id from tavrelkol where prj_name=?"), valueOf(values, QStringLiteral("prj_name")));
    for (const char *column : {"mozo", "tavrel_dat", "faktor_no", "resid"}) {
        const QString name = QString::fromLatin1(column);
        query.add(QStringLiteral(" and ") + name + QStringLiteral("=?"), valueOf(values, name));
    }
    query.open();
    return !query.isEmpty();
}

void Ttavrelkol_ins::writeValues(db::Query &row, const QList<QVariant> &values) const
{
    for (qsizetype i = 0; i < columns_.size(); ++i)
        row.fieldByName(columns_.at(i).name).setValue(values.at(i));
}

void Ttavrelkol_ins::ins_btnClick()
{
    const std::optional<QList<QVariant>> values = checkedValues(true);
    if (!values || !repeatsAccepted(*values))
        return;
    if (isDuplicate(*values)) {
        ui::showMessage(duplicateRefused);
        return;
    }

    db::Query &query = list();
    if (!query.active())
        query.open();
    db::writeRow(query, db::Query::State::Insert, [&](db::Query &row) {
        writeValues(row, *values);
        bool signedIn = false;
        const qint64 userId = SignedInUser::instance().prsId().toLongLong(&signedIn);
        row.fieldByName(QStringLiteral("user_id")).setValue(signedIn ? QVariant(userId) : QVariant());
    });
    ui::showMessage(QStringLiteral("ثبت شد"));
    WriteAuditLog(QStringLiteral(" ثبت خريد جديد  ") + valueOf(*values, QStringLiteral("mozo_cmt")).toString()
                  + u' ' + SignedInUser::instance().karbar());
}

void Ttavrelkol_ins::edit_btnClick()
{
    db::Query &query = list();
    if (!query.active())
        query.open();
    if (query.isEmpty())
        return;
    const std::optional<QList<QVariant>> values = checkedValues(false);
    if (!values)
        return;
    db::writeRow(query, db::Query::State::Edit, [&](db::Query &row) { writeValues(row, *values); });
    ui::showMessage(QStringLiteral("ويرايش شد"));
}
