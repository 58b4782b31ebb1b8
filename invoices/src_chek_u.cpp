#include "pagekit/commands.h"
#include "src_chek_u.h"
#include "rizhazine_rep_u.h"
#include "chek_open.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "faktor_pic_u.h"
#include "forms.h"
#include "ins_u.h"
#include "kaf.h"
#include "pagekit/filters.h"
#include "pagekit/grid.h"
#include "pagekit/listpage.h"
#include "pagekit/picklist.h"
#include "pagekit/query_texts.h"
#include "pagekit/row_user.h"
#include "pagekit/rows.h"
#include "pagekit/search.h"
#include "pagekit/setting_rows.h"
#include "persian/persian_text.h"
#include "signed_in_user.h"
#include "ui/click_label.h"
#include "ui/combo_items.h"
#include "ui/control_text.h"
#include "ui/guard.h"
#include "ui_src_chek_u.h"
#include <QApplication>
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace {

const QString accountTitle = u"شماره حساب"_s;

db::Query &list()
{
    return *forms::dm->ADOQ_chek;
}

// The grid's 25 columns in order; `id` centred, six titles on the info-tip colour.
QVector<pagekit::Column> gridColumns()
{
    const char *const columns[][2] = {
        {"id", "شناسه"},
        {"hesab_no", "شماره حساب"},
        {"mozo", "موضوع"},
        {"mablagh", "مبلغ چک"},
        {"chek_dat", "تاريخ چک"},
        {"chek_no", "شماره سريال چک"},
        {"rizhazine", "ريز هزينه"},
        {"cmt", "توضيحات"},
        {"foroshgah", "نام فروشگاه"},
        {"bedehkari", "مبلغ بده کاري"},
        {"variz", "واريز به حساب"},
        {"tankhah", "تنخواه"},
        {"daste_chek_no", "شماره دسته چک"},
        {"serial", "سريال فاکتور"},
        {"maliyat", "ماليات"},
        {"avarez", "عوارض"},
        {"foroshandeh", "نام فروشنده"},
        {"phone", "تلفن"},
        {"adr", "آدرس"},
        {"zipcode", "کدپستي"},
        {"melino", "کد ملي"},
        {"eghtesadi", "شماره اقتصادي"},
        {"user_id", "شناسه کاربر"},
        {"MablaghText", "MablaghText"},
        {"MablaghDigit", "MablaghDigit"},
    };
    const QStringList infoTitles = {u"hesab_no"_s, u"mablagh"_s, u"chek_no"_s, u"cmt"_s, u"bedehkari"_s, u"tankhah"_s};
    const QColor infoColour = QApplication::palette().color(QPalette::ToolTipBase);
    QVector<pagekit::Column> grid;
    for (const auto &[field, title] : columns) {
        pagekit::Column column{QString::fromLatin1(field), QString::fromUtf8(title)};
        if (column.field == "id"_L1)
            column.alignment = Qt::AlignCenter;
        if (infoTitles.contains(column.field))
            column.titleBackground = infoColour;
        grid.append(column);
    }
    return grid;
}

// The own-rows rule: while any user filed "بلي" under its title, a user who is not exempt sees only the rows
// stamped with their own id.
listpage::FilterLines ownRows(bool exempt)
{
    listpage::FilterLines lines;
    if (!exempt && picklist::OwnRowsRule())
        lines.always(u" and user_id=?"_s, {setting_rows::currentUserId()});
    return lines;
}

// A contains-filter on a text stored with either kaf: the row matches whichever kaf it or the filter holds.
std::function<void(listpage::FilterLines &)> eitherKafLike(QLabel *caption, QWidget *control, const QString &column)
{
    return [caption, control, column](listpage::FilterLines &lines) {
        const QString typed = pagekit::fittingFilterText(u"chek"_s, column, text::storedText(ui::controlText(control)),
                                                         caption->text(), control);
        const invoices::KafCondition like = invoices::eitherKaf(column, u" like "_s, u'%' + typed + u'%');
        lines.always(u" and "_s + like.text, like.values);
    };
}

} // namespace

Tchek_src::Tchek_src(QWidget *parent) : pagekit::Page(parent), ui(new Ui::Tchek_src)
{
    ui->setupUi(this);
    // The operator box starts on its placeholder, no operator chosen: the debit filter then adds nothing.
    ui->Combo_bedehkari->setCurrentIndex(-1);
    model_ = pagekit::setupGrid(ui->DBGrid1, list(), gridColumns());
    declareFilters();
    declareMenu();
    connectHandlers();
    if (forms::main_)
        installInvoicesOpener(*forms::main_, *this);
}

Tchek_src::~Tchek_src()
{
    delete ui;
}

void Tchek_src::declareFilters()
{
    // The hidden label holds the chosen user's id: "-1" while none is chosen, empty for an unknown name. The
    // statement totals leave this filter out.
    filters_.custom(ui->Label1, {ui->us},
                    [this](listpage::FilterLines &lines) {
                        if (!userFilterApplies_)
                            return;
                        bool isNumber = false;
                        const qint64 id = ui->user->text().toLongLong(&isNumber);
                        lines.always(u" and user_id=?"_s, {isNumber ? QVariant(id) : QVariant(ui->user->text())});
                    })
        .like(ui->Label15, ui->daste_chek_no, u"daste_chek_no"_s)
        .custom(ui->Label14, {ui->foroshgah}, eitherKafLike(ui->Label14, ui->foroshgah, u"foroshgah"_s))
        .custom(ui->Label11, {ui->mozo}, eitherKafLike(ui->Label11, ui->mozo, u"mozo"_s))
        .like(ui->Label9, ui->chek_no, u"chek_no"_s)
        .custom(ui->Label13, {ui->cmt}, eitherKafLike(ui->Label13, ui->cmt, u"cmt"_s))
        .amount(ui->Label10, ui->mablagh, u"mablagh"_s)
        .valueList(ui->Label12, {ui->rizhazine, ui->add_hamkari, ui->show_list_hamkari, ui->list_hamkari},
                   u"rizhazine"_s)
        .equal(ui->Label5, ui->hesab_no, u"hesab_no"_s)
        // The year's digits as typed, without the blanks of the mask's empty places.
        .like(ui->Label18, ui->salemali, u"salemali"_s, [](QString year) { return year.remove(u' '); })
        .startOn()
        // The sign stands between the value (left) and the caption (right): "<" reads "value < debit".
        .custom(ui->Label8, {ui->bedehkari, ui->Combo_bedehkari}, [this](listpage::FilterLines &lines) {
            static const char *const operators[] = {"=", ">", "<", "<>"};
            const int chosen = ui->Combo_bedehkari->currentIndex();
            if (chosen < 0 || chosen > 3)
                return;
            lines.always(u" and bedehkari"_s + QLatin1StringView(operators[chosen]) + u'?',
                         {pagekit::filterAmount(ui->bedehkari, ui->Label8->text())});
        });
}

void Tchek_src::connectHandlers()
{
    ui::connectGuarded(ui->BitBtn1, &QPushButton::clicked, this, &Tchek_src::BitBtn1Click);
    ui::connectGuarded(ui->us, &QComboBox::currentTextChanged, this, &Tchek_src::usChange);
    ui::connectGuarded(ui->mablagh, &QLineEdit::editingFinished, this, &Tchek_src::mablaghExit);
    ui::connectGuarded(ui->bedehkari, &QLineEdit::editingFinished, this, &Tchek_src::bedehkariExit);
    ui::connectGuarded(ui->foroshgah, &QLineEdit::editingFinished, this, &Tchek_src::foroshgahExit);
    ui::connectGuarded(ui->cmt, &QLineEdit::editingFinished, this, &Tchek_src::cmtExit);
    ui::connectGuarded(ui->mozo, &QLineEdit::editingFinished, this, &Tchek_src::mozoExit);
    ui::connectGuarded(ui->variz_sum, &ClickLabel::clicked, this, &Tchek_src::variz_sumClick);
    ui::connectGuarded(ui->mablagh_sum, &ClickLabel::clicked, this, &Tchek_src::mablagh_sumClick);
    ui::connectGuarded(ui->bedehkari_sum, &ClickLabel::clicked, this, &Tchek_src::bedehkari_sumClick);
    ui::connectGuarded(ui->tankhah_mande, &ClickLabel::clicked, this, &Tchek_src::tankhah_mandeClick);
    ui::connectGuarded(ui->DBGrid1, &QTableView::clicked, this, &Tchek_src::DBGrid1CellClick);
}

void Tchek_src::declareMenu()
{
    using pagekit::Needs;
    using pagekit::Right;
    declareCommands(list())
        .add(ui->N3, Right::Insert, &Tchek_src::N3Click)
        .add(ui->N4, Right::Edit, &Tchek_src::N4Click, Needs::CurrentRow)
        .add(ui->N5, Right::Delete, &Tchek_src::N5Click, Needs::CurrentRow)
        .add(ui->N14, Right::View, &Tchek_src::N14Click, Needs::CurrentRow)
        .add(ui->N6->menuAction(), Right::View) // the statements
        .add(ui->N2, Right::View, &Tchek_src::N2Click)
        .add(ui->N1, Right::View, &Tchek_src::N1Click)
        .add(ui->N7, Right::View, &Tchek_src::N7Click)
        .add(ui->N9->menuAction(), Right::View) // the reports
        .add(ui->N31, Right::View, &Tchek_src::N31Click)
        .add(ui->N13, Right::View, &Tchek_src::N13Click)
        .add(ui->N10, Right::View, &Tchek_src::N10Click)
        .add(ui->N11, Right::View, &Tchek_src::N11Click)
        .add(ui->N21, Right::View, &Tchek_src::N21Click)
        // The year repair rewrites stored dates: it stands among the reports but needs the edit right.
        .add(ui->N8, Right::Edit, &Tchek_src::N8Click)
        .add(ui->N12, Right::None, &Tchek_src::N12Click);
}

listpage::FilterLines Tchek_src::searchLines() const
{
    return filters_.lines(ownRows(SignedInUser::instance().level() == "ostan"_L1));
}

listpage::FilterLines Tchek_src::totalsLines() const
{
    const QScopedValueRollback<bool> withoutUser(userFilterApplies_, false);
    // Exact: the name typed at sign-in, so "Admin" is not exempt.
    return filters_.lines(ownRows(SignedInUser::instance().karbar() == "admin"_L1));
}

void Tchek_src::BitBtn1Click()
{
    pagekit::SearchStatements statements;
    statements.listAnchor = u" where id<>-1"_s;
    statements.listTail = u" order by chek_dat desc "_s;
    statements.count = ui->cnt;
    statements.sums = {{u"variz"_s, ui->variz_sum}, {u"bedehkari"_s, ui->bedehkari_sum}, {u"mablagh"_s, ui->mablagh_sum}};
    statements.emptyTotal = u"0"_s;
    ui->mablagh_sum2->clear();
    ui->tankhah_mande->clear();
    statements.totalled = [this](const pagekit::SearchTotals &totals) {
        // The balance is deposits less amounts; petty cash and debits take no part in it.
        const qint64 deposits = totals.sums.value(u"variz"_s);
        const qint64 amounts = totals.sums.value(u"mablagh"_s);
        ui->mablagh_sum2->setText(QString::number(amounts));
        ui->tankhah_mande->setText(listpage::groupedTotal(QString::number(deposits - amounts)));
    };
    pagekit::runSearch(list(), statements, searchLines());
}

void Tchek_src::FormShow()
{
    picklist::LoadPickList(ui->hesab_no, accountTitle, picklist::Rows::Own, false);
    ui::setComboItems(ui->us, querytexts::selectTexts(*forms::dm->ADOQuery1, u"select us from users"_s));
}

void Tchek_src::usChange()
{
    ui->user->setText(pagekit::userIdOf(ui->us->currentText()));
}

void Tchek_src::mablaghExit()
{
    ui->mablagh2->setText(QString::number(pagekit::filterAmount(ui->mablagh, ui->Label10->text())));
}

void Tchek_src::bedehkariExit()
{
    ui->bedehkari2->setText(QString::number(pagekit::filterAmount(ui->bedehkari, ui->Label8->text())));
}

void Tchek_src::foroshgahExit()
{
    ui->foroshgah->setText(invoices::arabicKaf(ui->foroshgah->text()));
}

void Tchek_src::cmtExit()
{
    ui->cmt->setText(invoices::arabicKaf(ui->cmt->text()));
}

void Tchek_src::mozoExit()
{
    ui->mozo->setText(invoices::arabicKaf(ui->mozo->text()));
}

void Tchek_src::variz_sumClick()
{
    listpage::ColumnSumToLabel(ui->variz_sum, list());
}

void Tchek_src::mablagh_sumClick()
{
    listpage::ColumnSumToLabel(ui->mablagh_sum, list());
}

void Tchek_src::bedehkari_sumClick()
{
    listpage::ColumnSumToLabel(ui->bedehkari_sum, list());
}

void Tchek_src::tankhah_mandeClick()
{
    listpage::ColumnSumToLabel(ui->tankhah_mande, list());
}

void Tchek_src::DBGrid1CellClick()
{
    pagekit::showRowUserBalloon(ui->DBGrid1, list());
}

void Tchek_src::N3Click()
{
    forms::chek_ins->showFor(Tchek_ins::Mode::New);
}

void Tchek_src::N4Click() { forms::chek_ins->showFor(Tchek_ins::Mode::Edit); }

void Tchek_src::N5Click() { forms::chek_ins->showFor(Tchek_ins::Mode::Delete); }

void Tchek_src::N14Click() { openInvoiceAttachments(list().fieldByName(QStringLiteral("id")).asInteger()); }
void Tchek_src::printStatement(Trizhazine_rep::Variant variant)
{
    // The statement prints the totals: those of a long list still being counted are counted first.
    list().finishTotals();
    forms::rizhazine_rep->printStatement(variant, {ui->mablagh_sum->text(), ui->mablagh_sum2->text()});
}

void Tchek_src::N2Click() { printStatement(Trizhazine_rep::Variant::Letterhead); }
void Tchek_src::N1Click() { printStatement(Trizhazine_rep::Variant::Plain); }
void Tchek_src::N7Click() { printStatement(Trizhazine_rep::Variant::Project); }

void Tchek_src::N12Click()
{
    close();
}
