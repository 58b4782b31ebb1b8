#include "ins_u.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "focus_highlight.h"
#include "forms.h"
#include "kaf.h"
#include "pagekit/field_check.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "pagekit/setting_rows.h"
#include "pagekit/sorted_lists.h"
#include "pagekit/text_year.h"
#include "persian/persian_text.h"
#include "src_chek_u.h"
#include "ui/click_label.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/enter_chain.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_ins_u.h"
#include <QCompleter>
#include <QKeyEvent>

using namespace Qt::StringLiterals;
using pagekit::Empty;
using pagekit::Kind;

namespace {

const QString accountTitle = u"شماره حساب"_s;
const QString remarksRepeated = u"هشدار، توضيحات  تكراري است! آيا مي خواهيد ادامه دهيد؟"_s;
const QString notSaved = u"ثبت نشد"_s;
const QString duplicateRefused = u"اين مشخصات تكراري است و قبلا ثبت شده است"_s;

db::Query &list()
{
    return *forms::dm->ADOQ_chek;
}

// Runs an action when Enter (either key) is pressed in a field; other keys pass.
class EnterKey : public QObject {
public:
    EnterKey(QWidget *field, std::function<void()> action) : QObject(field), action_(std::move(action))
    {
        field->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                ui::guarded(action_);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

Tchek_ins::Tchek_ins(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Tchek_ins)
{
    ui->setupUi(this);
    // Shops are offered in a list under the box, so that the text the details follow is the text typed.
    ui->foroshgah->completer()->setCompletionMode(QCompleter::PopupCompletion);
    declareFields();
    connectHandlers();
    installKeys();
    invoices::installFocusHighlight({
        {ui->hesab_no, ui->hesab_no},   {ui->daste_chek_no, ui->daste_chek_no}, {ui->chek_no, ui->chek_no},
        {ui->variz, ui->variz},         {ui->rizhazine, ui->rizhazine},         {ui->chek_dat, ui->chek_dat},
        {ui->mozo, ui->mozo},           {ui->mablagh, ui->mablagh},             {ui->cmt, ui->cmt},
        {ui->bedehkari, ui->bedehkari}, {ui->salemali, ui->salemali},           {ui->tankhah, ui->tankhah},
        // The levy field lights the shop box, not itself.
        {ui->avarez, ui->foroshgah},
    });
}

Tchek_ins::~Tchek_ins()
{
    delete ui;
}

void Tchek_ins::declareFields()
{
    const auto field = [](QWidget *control, const QLabel *caption, Kind kind = Kind::Text,
                          Empty empty = Empty::Stored) {
        return pagekit::Field{control->objectName(), control, caption->text(), kind, empty};
    };
    // The deposit and the amount must be given; petty cash and debit left empty are 0 (checkedValues), tax and
    // levy null.
    fields_.setFields(u"chek"_s, {
        field(ui->hesab_no, ui->Label1),
        field(ui->daste_chek_no, ui->Label2),
        field(ui->tankhah, ui->Label3, Kind::Money),
        field(ui->variz, ui->Label4, Kind::Money, Empty::Refused),
        field(ui->chek_no, ui->Label5),
        field(ui->mablagh, ui->Label7, Kind::Money, Empty::Refused),
        field(ui->chek_dat, ui->Label6, Kind::Date),
        field(ui->mozo, ui->Label8),
        field(ui->rizhazine, ui->Label9),
        field(ui->cmt, ui->Label10),
        field(ui->bedehkari, ui->Label11, Kind::Money),
        field(ui->foroshgah, ui->Label12),
        field(ui->salemali, ui->Label13, Kind::Year),
        field(ui->serial, ui->Label14),
        field(ui->maliyat, ui->Label15, Kind::Money, Empty::Null),
        field(ui->avarez, ui->Label16, Kind::Money, Empty::Null),
        field(ui->foroshandeh, ui->Label17),
        field(ui->phone, ui->Label18),
        field(ui->adr, ui->Label19),
        field(ui->zipcode, ui->Label20),
        field(ui->melino, ui->Label21),
        field(ui->eghtesadi, ui->Label22),
    });
}

void Tchek_ins::connectHandlers()
{
    ui::connectGuarded(ui->ins_btn, &QPushButton::clicked, this, &Tchek_ins::ins_btnClick);
    ui::connectGuarded(ui->edit_btn, &QPushButton::clicked, this, &Tchek_ins::edit_btnClick);
    ui::connectGuarded(ui->del_btn, &QPushButton::clicked, this, &Tchek_ins::del_btnClick);
    ui::connectGuarded(this, &QDialog::finished, this, &Tchek_ins::FormClose);
    ui::connectGuarded(ui->mablagh, &QLineEdit::editingFinished, this, &Tchek_ins::mablaghExit);
    ui::connectGuarded(ui->variz, &QLineEdit::editingFinished, this, &Tchek_ins::varizExit);
    ui::connectGuarded(ui->cmt, &QLineEdit::editingFinished, this, &Tchek_ins::cmtExit);
    ui::connectGuarded(ui->avarez, &QLineEdit::editingFinished, this, &Tchek_ins::avarezExit);
    // The user typing or picking a shop; the register filling the form does not replace the stored details.
    ui::connectGuarded(ui->foroshgah->lineEdit(), &QLineEdit::textEdited, this, &Tchek_ins::foroshgahChange);
    ui::connectGuarded(ui->foroshgah, &QComboBox::textActivated, this, &Tchek_ins::foroshgahChange);
    ui::connectGuarded(ui->Label10, &ClickLabel::clicked, this, &Tchek_ins::Label10Click);
    ui::connectGuarded(ui->Label12, &ClickLabel::clicked, this, &Tchek_ins::Label12Click);
    ui::connectGuarded(ui->Label8, &ClickLabel::clicked, this, &Tchek_ins::Label8Click);
    ui::connectGuarded(ui->Label6, &ClickLabel::clicked, this, &Tchek_ins::Label6Click);
    ui::connectGuarded(ui->Label13, &ClickLabel::clicked, this, &Tchek_ins::Label13Click);
}

void Tchek_ins::installKeys()
{
    ui::installEnterChain({ui->hesab_no, ui->daste_chek_no, ui->chek_no, ui->variz, ui->rizhazine, ui->chek_dat,
                           ui->mozo, ui->serial, ui->mablagh, ui->foroshgah, ui->foroshandeh, ui->adr, ui->phone,
                           ui->zipcode, ui->melino, ui->eghtesadi, ui->maliyat, ui->avarez, ui->bedehkari, ui->cmt,
                           ui->salemali});
    // Enter in the year saves with the button the mode shows; in petty cash it only reaches the insert button.
    new EnterKey(ui->salemali, [this] {
        if (ui->ins_btn->isVisibleTo(this))
            ui->ins_btn->click();
        else if (ui->edit_btn->isVisibleTo(this))
            ui->edit_btn->click();
    });
    new EnterKey(ui->tankhah, [this] { ui->ins_btn->setFocus(Qt::TabFocusReason); });
}

void Tchek_ins::showFor(Mode mode)
{
    if (mode == Mode::New) {
        fields_.clear();
        for (QLineEdit *amount : {ui->tankhah, ui->variz, ui->mablagh, ui->bedehkari})
            amount->setText(u"0"_s);
        ui->salemali->setStoredText(fiscalYear());
        ui->variz2->setText(u"0"_s);
        ui->mablagh2->setText(u"0"_s);
    } else {
        fields_.fillFrom(list());
        if (mode == Mode::Edit) {
            ui->variz2->setText(list().fieldByName(u"variz"_s).asString());
            ui->mablagh2->setText(list().fieldByName(u"mablagh"_s).asString());
        }
    }
    // The tax and levy shown belong to the amount shown: leaving the amount unchanged keeps them.
    amountOfTax_ = fields::rials(ui->mablagh->text().remove(u',')).value_or(0);
    ui->variz->setReadOnly(mode != Mode::New);
    ui->ins_btn->setVisible(mode == Mode::New);
    ui->edit_btn->setVisible(mode == Mode::Edit);
    ui->del_btn->setVisible(mode == Mode::Delete);
    if (mode == Mode::New)
        ui->hesab_no->setFocus(Qt::OtherFocusReason);
    ui::dialogs().showModal(this);
}

void Tchek_ins::FormShow()
{
    // The only account of the user's list is chosen for a new row; an edited row keeps its own.
    picklist::LoadPickList(ui->hesab_no, accountTitle, picklist::Rows::Own, true);
    QStringList shops = querytexts::selectTexts(*forms::dm->adoq_set, u"select distinct foroshgah from chek "_s);
    shops.removeAll(QString());
    sorted::fillKeepingText(ui->foroshgah, shops);
}

void Tchek_ins::FormClose()
{
    if (forms::chek_src)
        forms::chek_src->BitBtn1Click();
}

pagekit::Values Tchek_ins::checkedValues(bool inserting)
{
    pagekit::Values values = fields_.checked(inserting);
    // Petty cash and debit are the money fields' values: 0 when left empty.
    for (const QString &column : {u"tankhah"_s, u"bedehkari"_s})
        if (!values[column].isValid())
            values.set(column, 0);
    return pagekit::yearAsText(values, u"salemali"_s);
}

bool Tchek_ins::remarksAccepted(const pagekit::Values &values)
{
    const QString remarks = values[u"cmt"_s].toString();
    if (remarks.isEmpty())
        return true;
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    const invoices::KafCondition sameRemarks = invoices::eitherKaf(u"cmt"_s, u"="_s, remarks);
    query.add(u"select id from chek where "_s + sameRemarks.text, sameRemarks.values);
    query.add(u" and salemali=?"_s, values[u"salemali"_s]);
    query.open();
    return query.isEmpty() || ui::confirmWarning(remarksRepeated);
}

void Tchek_ins::refuseDuplicate(const pagekit::Values &values)
{
    // Serial, tax, levy and the vendor's details take no part: an entry differing only there is the same entry.
    // Remarks, subject and shop are the same whichever kaf they were typed with.
    db::Connection &connection = forms::dm->ADOConnection1;
    db::Query query(connection, u"chek_duplicate"_s);
    query.add(u"select id from "_s + connection.dialect().lockedTable(u"chek"_s) + u" where id<>-1"_s);
    for (const char *column : {"cmt", "daste_chek_no", "mozo", "chek_dat", "salemali", "hesab_no", "tankhah", "variz",
                               "chek_no", "mablagh", "rizhazine", "bedehkari", "foroshgah"}) {
        const QString name = QString::fromLatin1(column);
        if (name == u"cmt"_s || name == u"mozo"_s || name == u"foroshgah"_s) {
            const invoices::KafCondition same = invoices::eitherKaf(name, u"="_s, values[name].toString());
            query.add(u" and "_s + same.text, same.values);
        } else {
            query.add(u" and "_s + name + u"=?"_s, values[name]);
        }
    }
    query.open();
    if (!query.isEmpty())
        throw ui::Refusal(duplicateRefused);
}

void Tchek_ins::ins_btnClick()
{
    const pagekit::Values values = checkedValues(true);
    if (!remarksAccepted(values)) {
        ui::showMessage(notSaved);
        return;
    }
    db::Query &rows = list();
    pagekit::openEmptyIfClosed(rows, u"chek"_s);
    pagekit::Save save;
    save.query = &rows;
    save.mode = db::Query::State::Insert;
    save.lockedChecks = [&] { refuseDuplicate(values); };
    save.fill = [&](db::Query &row) {
        fields_.writeTo(row, values);
        row.fieldByName(u"user_id"_s).setValue(setting_rows::currentUserId());
    };
    save.done = u"ثبت شد"_s;
    pagekit::saveRow(save);
}

void Tchek_ins::edit_btnClick()
{
    if (!pagekit::hasCurrentRow(list()))
        return;
    const pagekit::Values values = checkedValues(false);
    pagekit::Save save;
    save.query = &list();
    save.mode = db::Query::State::Edit;
    save.fill = [&](db::Query &row) { fields_.writeTo(row, values); };
    save.done = u"ويرايش شد"_s;
    pagekit::saveRow(save);
}

void Tchek_ins::del_btnClick()
{
    // The register's delete command chose the row: no question here. The form closes whether the delete
    // succeeded or not (and the register searches again), so no further click reaches a row not shown here.
    try {
        pagekit::deleteCurrentRow(list(), pagekit::withoutQuestion());
    } catch (...) {
        close();
        throw;
    }
    close();
}

void Tchek_ins::mablaghExit()
{
    const QString digits = ui->mablagh->text().remove(u',');
    ui->mablagh2->setText(digits);
    // Tax 6% and levy 3% in whole rials, rounded half up; only a changed amount replaces them.
    const std::optional<qint64> amount = fields::rials(digits);
    if (!amount || *amount == amountOfTax_)
        return;
    amountOfTax_ = *amount;
    ui->maliyat->setText(QString::number((*amount * 6 + 50) / 100));
    ui->avarez->setText(QString::number((*amount * 3 + 50) / 100));
}

void Tchek_ins::varizExit()
{
    ui->variz2->setText(ui->variz->text().remove(u','));
}

void Tchek_ins::cmtExit()
{
    ui->cmt->setText(invoices::arabicKaf(ui->cmt->text()));
}

void Tchek_ins::avarezExit()
{
    ui->foroshgah->setEditText(invoices::arabicKaf(ui->foroshgah->currentText()));
}

void Tchek_ins::foroshgahChange()
{
    // The newest row of the shop, whichever kaf its name was stored or is typed with.
    const invoices::KafCondition shop =
        invoices::eitherKaf(u"foroshgah"_s, u"="_s, text::storedText(ui->foroshgah->currentText()));
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(u"select * from chek where "_s + shop.text, shop.values);
    query.add(u" and id in (select max(id) from chek where "_s + shop.text + u')', shop.values);
    query.open();
    const bool found = !query.isEmpty();
    for (QWidget *detail : {static_cast<QWidget *>(ui->foroshandeh), static_cast<QWidget *>(ui->phone),
                            static_cast<QWidget *>(ui->zipcode), static_cast<QWidget *>(ui->adr),
                            static_cast<QWidget *>(ui->melino), static_cast<QWidget *>(ui->eghtesadi)})
        ui::setControlText(detail, found ? query.fieldByName(detail->objectName()).asString() : QString());
}

namespace {

// Rewrites the column of every row of `chek` with the Arabic kaf, in one statement: all rows or none. A
// null becomes the empty text, as a row rewritten from its shown value would.
void storeKafInColumn(const QString &column)
{
    db::Query &command = *forms::dm->ADOQuery2;
    command.clear();
    command.add(u"update chek set "_s + column + u"=replace(coalesce("_s + column + u",''),?,?)"_s,
                QString(QChar(0x06A9)), QString(QChar(0x0643)));
    command.execSql();
}

} // namespace

void Tchek_ins::Label10Click()
{
    storeKafInColumn(u"cmt"_s);
}

void Tchek_ins::Label12Click()
{
    storeKafInColumn(u"foroshgah"_s);
}

void Tchek_ins::Label8Click()
{
    storeKafInColumn(u"mozo"_s);
}

void Tchek_ins::Label6Click()
{
    ui->chek_dat->setStoredText(QString());
}

void Tchek_ins::Label13Click()
{
    ui->salemali->setStoredText(QString());
}
