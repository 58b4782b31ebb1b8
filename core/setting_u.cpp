#include "pagekit/commands.h"
#include "setting_u.h"
#include "ui_setting_u.h"

#include "db/querymodel.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/opener.h"
#include "pagekit/grid.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "page_rights.h"
#include "persian/persian_text.h"
#include "pagekit/field_check.h"
#include "pagekit/setting_rows.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_main_u.h"

namespace {

// Column sizes of table `setting`.
constexpr int componentSize = 100;

db::Query &settingQuery() { return *forms::dm->adoq_set; }

// "<head> where" the signed-in user's rows holding the value under the title.
void setUserValueStatement(db::Query &query, const QString &head, const QString &title, const QString &value)
{
    query.clear();
    query.add(head + QStringLiteral(" where component=?"), title);
    query.add(QStringLiteral(" and cmt=?"), value);
    query.add(QStringLiteral(" and user_id=?"), setting_rows::currentUserId());
}

} // namespace

Tsetting::Tsetting(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tsetting>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("setting"));
    ui->component->lineEdit()->setMaxLength(componentSize);
    ui->component->setCurrentIndex(-1);

    model_ = pagekit::setupGrid(ui->DBGrid1, settingQuery(),
                                {
                                    {QStringLiteral("component"), QStringLiteral("عنوان")},
                                    {QStringLiteral("cmt"), QStringLiteral("توضيحات")},
                                    {QStringLiteral("user_id"), QStringLiteral("کاربر")},
                                });
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(settingQuery())
        .add(ui->ins_btn, Right::Insert, &Tsetting::ins_btnClick)
        .add(ui->N1, Right::Delete, &Tsetting::N1Click, Needs::CurrentRow);

    // A title chosen or typed by the user lists its values; a text set by a command does not.
    ui::connectGuarded(ui->component, &QComboBox::activated, this, &Tsetting::componentChange);
    ui::connectGuarded(ui->component->lineEdit(), &QLineEdit::textEdited, this, &Tsetting::componentChange);
    connect(ui->DBGrid1, &QWidget::customContextMenuRequested, this, &Tsetting::showPopup);
    installOpener();
}

Tsetting::~Tsetting() = default;

void Tsetting::componentChange()
{
    db::Query &query = settingQuery();
    query.clear();
    query.add(QStringLiteral("select * from setting  where component like ?"),
              QString(u'%' + text::storedText(ui->component->currentText()) + u'%'));
    query.add(QStringLiteral(" and user_id=?"), setting_rows::currentUserId());
    query.add(QStringLiteral(" order by cmt "));
    query.open();
}

void Tsetting::ins_btnClick()
{
    const QString value = text::storedText(ui->cmt->text());
    if (value.isEmpty()) {
        ui::showMessage(QStringLiteral("لطفا مقدار مناسب را وارد نماييد"));
        return;
    }
    const QString title = text::storedText(ui->component->currentText());
    // A pasted tab or line break would be stored and offered in every pick list of the title.
    if (text::hasControlCharacter(value))
        throw ui::Refusal(fields::refusalText(QStringLiteral("توضيحات")), ui->cmt);
    if (text::hasControlCharacter(title))
        throw ui::Refusal(fields::refusalText(QStringLiteral("عنوان")), ui->component);

    // The repeat check and the row it guards in one write transaction: the same user at two workstations
    // never files a value twice.
    const QVariant user = setting_rows::currentUserId();
    pagekit::inWriteTransaction([&] {
        if (pagekit::rowExists(QStringLiteral("setting"), {{QStringLiteral("component"), title},
                                                           {QStringLiteral("cmt"), value},
                                                           {QStringLiteral("user_id"), user}}))
            throw ui::Refusal(QStringLiteral("تكراري است"));
        forms::dm->ADOConnection1.exec(QStringLiteral("insert into setting (component,cmt,user_id) values (?,?,?)"),
                                       {title, value, user});
    });
    ui::showMessage(QStringLiteral("ثبت شد"));
    componentChange();
}

void Tsetting::N1Click()
{
    db::Query &rows = settingQuery();
    const QString value = rows.fieldByName(QStringLiteral("cmt")).asString();
    const QString title = rows.fieldByName(QStringLiteral("component")).asString();
    ui->cmt->setText(value);
    ui->component->setEditText(title);

    db::Query &command = *forms::dm->ADOQuery1;
    setUserValueStatement(command, QStringLiteral("delete from setting"), title, value);
    command.execSql();

    rows.clear();
    rows.add(QStringLiteral("select * from setting where user_id=?"), setting_rows::currentUserId());
    rows.open();
}

void Tsetting::installOpener()
{
    if (!forms::main_)
        return;
    pagekit::Opener opener;
    opener.key = rights::key::setting;
    opener.commands = commands();
    opener.cleared = {ui->component, ui->cmt};
    pagekit::installOpener(forms::main_->ui->N9, this, std::move(opener));
}

void Tsetting::showPopup(const QPoint &pos)
{
    // The delete command works on the current row: with no rows there is nothing to offer.
    if (!pagekit::hasCurrentRow(settingQuery()))
        return;
    ui->PopupMenu1->popup(ui->DBGrid1->viewport()->mapToGlobal(pos));
}
