#include "pagekit/commands.h"
#include "phone_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/filters.h"
#include "pagekit/grid.h"
#include "pagekit/opener.h"
#include "pagekit/rows.h"
#include "pagekit/save.h"
#include "pagekit/search.h"
#include "persian/persian_text.h"
#include "ui/radio_group.h"
#include "signed_in_user.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include "ui_phone_u.h"

namespace {

// The columns the three search choices look in, in the order of the choices.
const QString searchColumns[] = {QStringLiteral("name"), QStringLiteral("tel"), QStringLiteral("cmt")};

} // namespace

Tphone::Tphone(QWidget *parent)
    : pagekit::Page(parent), ui(std::make_unique<Ui::Tphone>()),
      rows_(forms::dm->ADOConnection1, QStringLiteral("phone_list"), this)
{
    ui->setupUi(this);
    // The search box is always yellow, as the filters that are on.
    QPalette yellow = ui->src->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    ui->src->setPalette(yellow);

    pagekit::setupGrid(ui->DBGrid1, rows_,
                       {{QStringLiteral("id"), QString(), 0, true},
                        {QStringLiteral("name"), QStringLiteral("نام"), 180},
                        {QStringLiteral("tel"), QStringLiteral("تلفن"), 110},
                        {QStringLiteral("cmt"), QStringLiteral("شرح"), 120},
                        {QStringLiteral("mobile"), QStringLiteral("موبايل"), 100},
                        {QStringLiteral("fax"), QStringLiteral("فکس"), 110}});
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(rows_)
        .add(ui->ins_btn, Right::Insert, &Tphone::ins_btnClick)
        .add(ui->N1, Right::Delete, &Tphone::N1Click, Needs::CurrentRow);

    using pagekit::Empty;
    using pagekit::Kind;
    fields_.setFields(QStringLiteral("shakhsi"), {
        {QStringLiteral("name"), ui->name, ui->Label1->text(), Kind::Text, Empty::Refused},
        {QStringLiteral("tel"), ui->tel, ui->Label2->text()},
        {QStringLiteral("mobile"), ui->mobile, ui->Label3->text()},
        {QStringLiteral("fax"), ui->fax, ui->Label4->text()},
        {QStringLiteral("cmt"), ui->cmt, ui->Label5->text()},
    });

    ui::connectGuarded(ui->src, &QLineEdit::textChanged, this, &Tphone::srcChange);
    connect(ui->DBGrid1, &QWidget::customContextMenuRequested, this, &Tphone::showPopup);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::phone;
        opener.commands = commands();
        opener.cleared = {ui->src, ui->name, ui->tel, ui->mobile, ui->fax, ui->cmt};
        opener.heightLess = 50;
        opener.search = [this] { srcChange(); };
        pagekit::installOpener(forms::main_->ui->N10, this, std::move(opener));
    }
}

Tphone::~Tphone() = default;

void Tphone::srcChange()
{
    listpage::FilterLines lines;
    const int choice = radioIndex(ui->RadioGroup1);
    if (choice >= 0) {
        const QString text = pagekit::fittingFilterText(QStringLiteral("shakhsi"), searchColumns[choice],
                                                        text::storedText(ui->src->text()), radioText(ui->RadioGroup1),
                                                        ui->src);
        lines.always(QStringLiteral(" and ") + searchColumns[choice] + QStringLiteral(" like ?"),
                     {QString(u'%' + text + u'%')});
    }
    // Entries without a name are never listed nor counted.
    pagekit::SearchStatements statements;
    statements.listHead = QStringLiteral("select * from shakhsi where name<>'' ");
    statements.listTail = QStringLiteral(" order by name");
    statements.count = ui->cnt;
    pagekit::runSearch(rows_, statements, lines);
}

void Tphone::ins_btnClick()
{
    const pagekit::Values values = fields_.checked(true);
    db::Connection &connection = forms::dm->ADOConnection1;
    bool repeated = false;
    pagekit::inWriteTransaction([&] {
        // The name is unique in the whole book; a repeated one is left on show in the grid.
        rows_.clear();
        rows_.add(QStringLiteral("select * from ") + connection.dialect().lockedTable(QStringLiteral("shakhsi"))
                      + QStringLiteral(" where name=?"),
                  values[QStringLiteral("name")]);
        rows_.open();
        repeated = !rows_.isEmpty();
        if (repeated)
            return;
        QVariantList row{SignedInUser::instance().prsId()};
        row.append(values.values());
        connection.exec(QStringLiteral("insert into shakhsi (user_id,name,tel,mobile,fax,cmt) values(?,?,?,?,?,?)"), row);
    });
    if (repeated) {
        ui::showMessage(QStringLiteral("نام تکراري است"));
        return;
    }
    srcChange();
    ui::showMessage(QStringLiteral("ثبت شد"));
    ui->name->setFocus(Qt::OtherFocusReason);
}

void Tphone::N1Click()
{
    // The deleted entry stays in the entry fields, so a mistaken delete can be added again. No question.
    fields_.fillFrom(rows_);
    if (pagekit::deleteCurrentRow(rows_, pagekit::withoutQuestion()))
        srcChange();
}

void Tphone::showPopup(const QPoint &pos)
{
    if (pagekit::hasCurrentRow(rows_))
        ui->PopupMenu1->popup(ui->DBGrid1->viewport()->mapToGlobal(pos));
}
