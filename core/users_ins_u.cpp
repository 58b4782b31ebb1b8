#include "users_ins_u.h"
#include "audit.h"
#include "dm_u.h"
#include "forms.h"
#include "persian_text.h"
#include "pagekit/picklist.h"
#include "places.h"
#include "schema.h"
#include "pagekit/sorted_lists.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "users_u.h"
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

const QString duplicateName = u"خطا، نام كاربري تكراري است"_s;

QLineEdit *editOf(QWidget *field)
{
    if (auto *combo = qobject_cast<QComboBox *>(field))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(field);
}

// The characters a column of table users holds, as the schema routine creates it.
int columnWidth(const QString &column)
{
    for (const schema::Step &step : schema::steps()) {
        if (step.table != u"users"_s)
            continue;
        for (const db::ColumnDef &def : step.columns)
            if (def.name == column && def.size > 0)
                return def.size;
    }
    return 32767; // QLineEdit's own limit
}

} // namespace

Tusers_ins::Tusers_ins(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::Tusers_ins>())
{
    ui->setupUi(this);
    setObjectName(u"users_ins"_s);
    setLayoutDirection(Qt::RightToLeft);
    ui->us->setLayoutDirection(Qt::LeftToRight);
    ui->nam->setLayoutDirection(Qt::RightToLeft);
    limitLengths();
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tusers_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tusers_ins::edit_btnClick);
}

Tusers_ins::~Tusers_ins() = default;

QVector<Tusers_ins::Column> Tusers_ins::columns() const
{
    return {
        {u"us"_s, ui->us},         {u"ps"_s, ui->ps},         {u"lev"_s, ui->lev},
        {u"ostan"_s, ui->ostan},   {u"semat"_s, ui->semat},   {u"mobile"_s, ui->mobile},
        {u"nam"_s, ui->nam},       {u"status"_s, ui->status},
    };
}

// A field takes no more characters than its column holds; a longer value already stored is shown whole,
// so opening an account to edit it never cuts a value short.
void Tusers_ins::limitLengths(const QHash<QString, int> &shownLengths)
{
    for (const Column &column : columns()) {
        const int held = columnWidth(column.name);
        editOf(column.field)->setMaxLength(std::max(held, shownLengths.value(column.name)));
    }
}

void Tusers_ins::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ui::guarded([this] { FormShow(); });
}

void Tusers_ins::FormShow()
{
    sorted::fillKeepingText(ui->ostan, places::provinces());
    picklist::LoadPickList(ui->semat, u"گروه کاربري"_s, picklist::Rows::AllUsers, false);
    picklist::LoadPickList(ui->status, u"وضعيت کاربر"_s, picklist::Rows::AllUsers, false);
}

void Tusers_ins::clearFields()
{
    limitLengths();
    for (const Column &column : columns()) {
        if (auto *combo = qobject_cast<QComboBox *>(column.field))
            combo->setCurrentIndex(-1);
        editOf(column.field)->clear();
    }
}

void Tusers_ins::loadFrom(db::Query &account)
{
    QHash<QString, QString> values;
    QHash<QString, int> lengths;
    for (const Column &column : columns()) {
        values[column.name] = account.fieldByName(column.name).asString();
        lengths[column.name] = int(values[column.name].size());
    }
    limitLengths(lengths);
    for (const Column &column : columns())
        ui::setControlText(column.field, values[column.name]);
}

// The account as typed: every text in its stored form but the password, which is kept exactly as typed.
QHash<QString, QString> Tusers_ins::typedValues() const
{
    QHash<QString, QString> values;
    for (const Column &column : columns()) {
        const QString typed = ui::controlText(column.field);
        values[column.name] = column.name == u"ps"_s ? typed : text::storedText(typed);
    }
    return values;
}

bool Tusers_ins::nameTaken(const QString &name, qint64 exceptId) const
{
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(u"select * from users where us=?"_s, name);
    if (exceptId >= 0)
        query.add(u" and id<>?"_s, exceptId);
    query.open();
    return !query.isEmpty();
}

void Tusers_ins::fill(db::Query &row, const QHash<QString, QString> &values) const
{
    for (const Column &column : columns())
        row.fieldByName(column.name).setString(values[column.name]);
}

void Tusers_ins::ins_btnClick()
{
    const QHash<QString, QString> v = typedValues();
    const QString name = v.value(u"us"_s);
    if (nameTaken(name)) {
        ui::showMessage(duplicateName);
        return;
    }
    db::Query &list = forms::users->openList();
    db::writeRow(list, db::Query::State::Insert, [&](db::Query &row) {
        row.fieldByName(u"ver"_s).setString(u""_s);
        fill(row, v);
    });
    ui::showMessage(u"ثبت شد"_s);
    list.close();
    list.open();
    WriteAuditLog(u" ثبت کاربر جديد "_s + name + u" "_s + v.value(u"ostan"_s));
}

void Tusers_ins::edit_btnClick()
{
    db::Query &list = *forms::dm->adoq_user;
    if (!list.active() || list.isEmpty())
        return;
    const QHash<QString, QString> v = typedValues();
    const QString name = v.value(u"us"_s);
    const qint64 id = list.fieldByName(u"id"_s).asInteger();
    // Only a changed name can collide, and never with the account being edited.
    if (name != list.fieldByName(u"us"_s).asString() && nameTaken(name, id)) {
        ui::showMessage(duplicateName);
        return;
    }
    db::writeRow(list, db::Query::State::Edit, [&](db::Query &row) { fill(row, v); });
    list.close();
    list.open();
    WriteAuditLog(u" ويرايش کاربر "_s + name + u" "_s + v.value(u"ostan"_s));
    close();
}
