#include "pagekit/commands.h"
#include "payam_u.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "message_text.h"
#include "pagekit/field_check.h"
#include "pagekit/grid.h"
#include "pagekit/opener.h"
#include "pagekit/picklist.h"
#include "pagekit/row_exists.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "pagekit/setting_rows.h"
#include "persian/persian_text.h"
#include "signed_in_user.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/reading_direction.h"
#include "ui/refusal.h"
#include "ui_main_u.h"
#include "ui_payam_u.h"
#include <QLineEdit>
#include <QTextDocument>
#include "unread_mark.h"
#include <algorithm>

namespace {

const QString subjectTitle = QStringLiteral("موضوع پيام");
constexpr int subjectSize = 100;

db::Query &list() { return *forms::dm->ADOQ_payam; }

bool isAdministrator() { return SignedInUser::instance().karbar() == QStringLiteral("admin"); }

// A message box right to left, whatever a message starts with: a text box of its own sets each paragraph in the
// direction of its first letter and aligns every one left.
void setRightToLeft(QPlainTextEdit *box)
{
    QTextOption option = box->document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    box->document()->setDefaultTextOption(option);
}

} // namespace

Tpayam::Tpayam(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tpayam>())
{
    ui->setupUi(this);
    ui->mozo->lineEdit()->setMaxLength(subjectSize);
    setRightToLeft(ui->DBMemo1);
    setRightToLeft(ui->cmt);
    // A recipient with empty parts reads as its parts run ("*ostan**"), not with its stars moved by the list's
    // direction; the item keeps its text.
    ui::drawInReadingDirection(ui->prs_list);
    pagekit::setupGrid(ui->DBGrid1, list(),
                       {{QStringLiteral("id"), QString(), 0, true},
                        {QStringLiteral("ferestande"), QStringLiteral("فرستنده"), 80},
                        {QStringLiteral("send_dat"), QStringLiteral("تاريخ ارسال")},
                        {QStringLiteral("show_dat"), QStringLiteral("تاريخ ملاحظه")},
                        {QStringLiteral("mozo"), QStringLiteral("موضوع"), 100},
                        {QStringLiteral("cmt"), QStringLiteral("متن پيام"), 0, true}});
    ui->DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every user reads and marks their own messages: no command needs a right.
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->BitBtn1, Right::None, &Tpayam::BitBtn1Click)
        .add(ui->N1, Right::None, &Tpayam::N1Click, Needs::CurrentRow)
        .add(ui->N3, Right::None, &Tpayam::N3Click, Needs::CurrentRow)
        .add(ui->N6, Right::None, &Tpayam::N6Click, Needs::CurrentRow)
        .add(ui->N2, Right::None, &Tpayam::N2Click, Needs::CurrentRow);

    // The viewer follows the current message.
    connect(&list(), &db::Query::currentChanged, this, &Tpayam::showCurrentText);
    connect(&list(), &db::Query::opened, this, &Tpayam::showCurrentText);

    connect(ui->DBGrid1, &QWidget::customContextMenuRequested, this, &Tpayam::showPopup);

    if (forms::main_) {
        // Every signed-in user may read their messages: no rights check.
        pagekit::Opener opener;
        opener.cleared = {ui->girande, ui->mozo};
        opener.prepare = [this] {
            openList();
            ui->cmt->clear();
            if (isAdministrator())
                ui->girande->setEnabled(true);
        };
        pagekit::installOpener(forms::main_->ui->N17, this, std::move(opener));
    }
}

Tpayam::~Tpayam() = default;

void Tpayam::openList()
{
    db::Query &rows = list();
    rows.clear();
    rows.add(QStringLiteral("select payamha.*,users.us as ferestande from payamha left join users on "
                            "payamha.send_prs_id=users.id where payamha.id<>-1"));
    if (!isAdministrator())
        rows.add(QStringLiteral(" and rec_prs_id=?"), setting_rows::currentUserId());
    rows.add(QStringLiteral(" order by payamha.send_dat desc "));
    rows.open();
}

QString Tpayam::recipientItem(db::Query &user)
{
    QStringList parts;
    for (const char *column : {"ostan", "lev", "semat", "nam"})
        parts << user.fieldByName(QString::fromLatin1(column)).asString();
    return parts.join(u'*');
}

void Tpayam::FormShow()
{
    picklist::LoadPickList(ui->mozo, subjectTitle, picklist::Rows::AllUsers, false);

    // One item a user, in alphabetical order; the item keeps the user's id, which a message goes to, so that
    // two users shown alike still get their own messages.
    db::Query &users = *forms::dm->ADOQuery1;
    users.clear();
    users.add(QStringLiteral("select * from users"));
    users.open();
    QList<std::pair<QString, QVariant>> items;
    for (users.first(); !users.eof(); users.next())
        items.append({recipientItem(users), users.fieldByName(QStringLiteral("id")).value()});
    std::stable_sort(items.begin(), items.end(),
                     [](const auto &a, const auto &b) { return text::comparePersian(a.first, b.first) < 0; });
    ui->prs_list->clear();
    for (const auto &[text, id] : items) {
        auto *item = new QListWidgetItem(text, ui->prs_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, id);
    }
}

void Tpayam::BitBtn1Click()
{
    QVariantList recipients;
    for (int i = 0; i < ui->prs_list->count(); ++i)
        if (ui->prs_list->item(i)->checkState() == Qt::Checked)
            recipients << ui->prs_list->item(i)->data(Qt::UserRole);
    if (recipients.isEmpty())
        throw ui::Refusal(QStringLiteral("گيرنده پيام را از فهرست گيرندگان تيك بزنيد"), ui->prs_list);
    const QString subject = text::storedText(ui->mozo->currentText());
    const QString message = text::storedText(ui->cmt->toPlainText());
    if (const std::optional<QChar> foreign = message_text::unstorable(message))
        throw ui::Refusal(QStringLiteral("حرف «") + *foreign + QStringLiteral("» در «") + ui->Label6->text()
                              + QStringLiteral("» قابل ثبت نيست"),
                          ui->cmt);
    const QByteArray bytes = message_text::encode(message);
    const QVariant sender = setting_rows::currentUserId();
    const QString today = shamsiToday();

    db::Connection &connection = forms::dm->ADOConnection1;
    pagekit::inWriteTransaction([&] {
        for (const QVariant &recipient : recipients) {
            // The same sender's message of this subject to this user today is not sent again.
            if (pagekit::rowExists(QStringLiteral("payamha"), {{QStringLiteral("send_prs_id"), sender},
                                                                {QStringLiteral("rec_prs_id"), recipient},
                                                                {QStringLiteral("mozo"), subject},
                                                                {QStringLiteral("send_dat"), today}}))
                continue;
            connection.exec(QStringLiteral("insert into payamha (send_prs_id,rec_prs_id,send_dat,show_dat,mozo,cmt) "
                                           "values(?,?,?,?,?,?)"),
                            {sender, recipient, today, QStringLiteral(""), subject, bytes});
        }
    });
    list().refresh();
    ui::showMessage(QStringLiteral("ارسال انجام شد"));
}

void Tpayam::N1Click()
{
    // Only the current message is marked, whatever else is selected; marking again moves the date.
    forms::dm->ADOConnection1.exec(QStringLiteral("Update payamha set show_dat=? where id=?"),
                                   {shamsiToday(), list().fieldByName(QStringLiteral("id")).value()});
    list().refresh();
}

void Tpayam::N3Click()
{
    // Only the administrator deletes, with no question; the list is then opened again.
    pagekit::Deletion deletion;
    deletion.confirm = [] {
        if (!isAdministrator())
            ui::showMessage(QStringLiteral("حذف فقط توسط مدير سيستم قابل انجام است"));
        return isAdministrator();
    };
    const bool deleted = pagekit::deleteCurrentRow(list(), deletion);
    if (deleted)
        list().refresh();
}

void Tpayam::showUser(const QString &statement, const QVariant &key)
{
    db::Query &users = *forms::dm->ADOQuery1;
    users.clear();
    users.add(statement, key);
    users.open();
    ui::showMessage(recipientItem(users));
}

void Tpayam::N6Click()
{
    showUser(QStringLiteral("select * from users where id=?"),
             list().fieldByName(QStringLiteral("send_prs_id")).value());
}

void Tpayam::N2Click()
{
    showUser(QStringLiteral("select users.* from payamha left join users on payamha.rec_prs_id=users.id "
                            "where payamha.id=?"),
             list().fieldByName(QStringLiteral("id")).value());
}

void Tpayam::showCurrentText()
{
    ui->DBMemo1->setPlainText(
        pagekit::hasCurrentRow(list()) ? message_text::decode(list().fieldByName(QStringLiteral("cmt")).asBytes())
                                       : QString());
}

void Tpayam::showPopup(const QPoint &pos)
{
    if (pagekit::hasCurrentRow(list()))
        ui->PopupMenu1->popup(ui->DBGrid1->viewport()->mapToGlobal(pos));
}

void Tpayam::done(int result)
{
    pagekit::Page::done(result);
    ui::guarded([] { messages::RefreshUnreadMark(messages::UnreadMark::SetAndClear); });
}
