#include "main_u.h"
#include "forms.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include <QCloseEvent>
#include <utility>

// The picture lives in a resource of the core library, which a static library must register itself.
static void registerPicture()
{
    Q_INIT_RESOURCE(main_u);
}

namespace {

const QString aboutText = QStringLiteral(
    "اين نرم افزار به درخواست واحد مالي و تداركات توسط واحد فناوري اطلاعات در سال 1390 تهيه شده است");
const QString exitQuestion = QStringLiteral("آيا مي خواهيد از برنامه خارج شويد");
const QString messagesCaption = QStringLiteral("پيام");
const QString unreadMessagesCaption = QStringLiteral("پيام*");

} // namespace

Tmain::Tmain(QWidget *parent) : QMainWindow(parent), ui(new Ui::Tmain)
{
    registerPicture();
    ui->setupUi(this);
    // The submenu's item answers to the submenu's name like every other item of the menu.
    ui->N2->menuAction()->setObjectName(QStringLiteral("N2"));
    setWindowState(Qt::WindowMaximized);
    onExit = [] { forms::closeMainForm(); };

    // The page commands stay disabled until their page sets its opener.
    const std::pair<QAction *, void (Tmain::*)()> pageCommands[] = {
        {ui->N12, &Tmain::N12Click}, {ui->N1, &Tmain::N1Click},   {ui->N7, &Tmain::N7Click},
        {ui->N11, &Tmain::N11Click}, {ui->N13, &Tmain::N13Click}, {ui->N14, &Tmain::N14Click},
        {ui->N16, &Tmain::N16Click}, {ui->N17, &Tmain::N17Click}, {ui->N10, &Tmain::N10Click},
        {ui->N9, &Tmain::N9Click},   {ui->N8, &Tmain::N8Click},   {ui->N4, &Tmain::N4Click},
        {ui->N15, &Tmain::N15Click}, {ui->N18, &Tmain::N18Click}, {ui->N3, &Tmain::N3Click},
    };
    for (const auto &[item, handler] : pageCommands) {
        item->setEnabled(false);
        ui::connectGuarded(item, &QAction::triggered, this, handler);
    }
    ui::connectGuarded(ui->N5, &QAction::triggered, this, &Tmain::N5Click);
    ui::connectGuarded(ui->N6, &QAction::triggered, this, &Tmain::N6Click);
}

Tmain::~Tmain()
{
    delete ui;
}

void Tmain::setOpener(QAction *item, std::function<void()> opener)
{
    Q_ASSERT(item && item->parent() == this);
    openers_.insert(item, std::move(opener));
    item->setEnabled(true);
}

void Tmain::runOpener(QAction *item) const
{
    const auto opener = openers_.constFind(item);
    if (opener != openers_.cend())
        (*opener)();
}

void Tmain::sizePage(QWidget *page, std::optional<int> widthLess, std::optional<int> heightLess) const
{
    page->resize(widthLess ? width() - *widthLess : page->width(),
                 heightLess ? height() - *heightLess : page->height());
}

int Tmain::showPage(QWidget *page)
{
    return ui::dialogs().showModal(page);
}

void Tmain::setUnreadMark(bool unread)
{
    ui->N17->setText(unread ? unreadMessagesCaption : messagesCaption);
}

void Tmain::N12Click() { runOpener(ui->N12); }
void Tmain::N1Click() { runOpener(ui->N1); }
void Tmain::N7Click() { runOpener(ui->N7); }
void Tmain::N11Click() { runOpener(ui->N11); }
void Tmain::N13Click() { runOpener(ui->N13); }
void Tmain::N14Click() { runOpener(ui->N14); }
void Tmain::N16Click() { runOpener(ui->N16); }
void Tmain::N17Click() { runOpener(ui->N17); }
void Tmain::N10Click() { runOpener(ui->N10); }
void Tmain::N9Click() { runOpener(ui->N9); }
void Tmain::N8Click() { runOpener(ui->N8); }
void Tmain::N4Click() { runOpener(ui->N4); }
void Tmain::N15Click() { runOpener(ui->N15); }
void Tmain::N18Click() { runOpener(ui->N18); }
void Tmain::N3Click() { runOpener(ui->N3); }

void Tmain::N5Click()
{
    ui::showMessage(aboutText);
}

void Tmain::N6Click()
{
    close();
}

bool Tmain::FormCloseQuery()
{
    if (!ui::confirmWarning(exitQuestion))
        return false;
    if (onExit)
        onExit();
    return true;
}

void Tmain::closeEvent(QCloseEvent *event)
{
    bool mayClose = false;
    ui::guarded([&] { mayClose = FormCloseQuery(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void Tmain::FormResize()
{
    ui->Image1->resize(width() - 25, height() - 80);
}

void Tmain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}
