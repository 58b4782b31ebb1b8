#include "server_u.h"
#include "connection_settings.h"
#include "ui/radio_group.h"
#include "schema/schema.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui/escape_key.h"
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>

namespace {

const QString defaultDataBase = QStringLiteral("tavrel");
const QString defaultUserName = QStringLiteral("sa");
const QString defaultPassword = QStringLiteral("pemtor*%#");
constexpr int localFileItem = 2;

} // namespace

Tserver::Tserver(QWidget *parent) : QDialog(parent)
{
    ui.setupUi(this);
    ui::keepOpenOnEscape(this);
    ui.SqlServerName->setText(connection::defaultServer);
    ui.StaticText1->setVisible(false);

    ui::connectGuarded(ui.Button1, &QPushButton::clicked, this, &Tserver::Button1Click);
    ui::connectGuarded(ui.Button2, &QPushButton::clicked, this, &Tserver::Button2Click);
    for (QRadioButton *item : {ui.RadioGroup1Item0, ui.RadioGroup1Item1, ui.RadioGroup1Item2})
        ui::connectGuarded(item, &QRadioButton::clicked, this, &Tserver::RadioGroup1Click);
    ui::connectGuarded(ui.StaticText1, &ClickLabel::clicked, this, &Tserver::StaticText1Click);
    ui::connectGuarded(ui.Label1, &ClickLabel::clicked, this, &Tserver::Label1Click);
    ui::connectGuarded(ui.Label2, &ClickLabel::clicked, this, &Tserver::Label2Click);
    ui::connectGuarded(ui.Label3, &ClickLabel::clicked, this, &Tserver::Label3Click);
    ui::connectGuarded(ui.Label4, &ClickLabel::clicked, this, &Tserver::Label4Click);
    ui::connectGuarded(ui.Label5, &ClickLabel::clicked, this, &Tserver::Label5Click);
}

Tserver::~Tserver() = default;

void Tserver::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui::guarded([this] { FormShow(); });
}

QString Tserver::authenticationOf(int item)
{
    switch (item) {
    case 0: return connection::windowsLogin;
    case 1: return connection::sqlServerLogin;
    default: return connection::localFile;
    }
}

int Tserver::itemOf(const QString &authentication)
{
    if (authentication == connection::sqlServerLogin)
        return 1;
    if (authentication == connection::windowsLogin)
        return 0;
    if (authentication == connection::localFile)
        return localFileItem;
    return -1;
}

void Tserver::selectKind(int item)
{
    setRadioIndex(ui.RadioGroup1, item);
    ui.StaticText1->setVisible(radioIndex(ui.RadioGroup1) == localFileItem);
}

// While nothing is stored the form offers the local database file in the user's data folder, which storing
// the settings creates.
void Tserver::proposeLocalFile()
{
    selectKind(localFileItem);
    RadioGroup1Click();
    ui.SqlServerName->setText(connection::defaultDatabaseFile());
}

void Tserver::FormShow()
{
    const std::optional<connection::Settings> stored = connection::readSettings();
    if (!stored) {
        proposeLocalFile();
        return;
    }
    ui.SqlServerName->setText(stored->sqlServerName);
    ui.DataBase->setText(stored->dataBase);
    ui.UserName->setText(stored->userName);
    ui.Password->setText(stored->password);
    // Selecting the stored kind keeps the stored values; the system type is not read back.
    const int item = itemOf(stored->authentication);
    selectKind(item >= 0 ? item : radioIndex(ui.RadioGroup1));
}

void Tserver::RadioGroup1Click()
{
    const bool localFile = radioIndex(ui.RadioGroup1) == localFileItem;
    ui.StaticText1->setVisible(localFile);
    ui.DataBase->setText(localFile ? QStringLiteral("tavrel.accdb") : defaultDataBase);
    ui.UserName->setText(localFile ? QStringLiteral("admin") : defaultUserName);
    ui.Password->setText(localFile ? QStringLiteral("805317") : defaultPassword);
}

void Tserver::StaticText1Click()
{
    const QString file = ui::dialogs().openFile(QString(), QString());
    if (!file.isEmpty())
        ui.SqlServerName->setText(file);
}

void Tserver::Button1Click()
{
    const std::pair<QLineEdit *, QString> required[] = {
        {ui.SqlServerName, QStringLiteral("نام سرور را وارد نمائيد")},
        {ui.DataBase, QStringLiteral("نام ديتابيس را وارد نمائيد")},
        {ui.UserName, QStringLiteral("کلمه کاربري را وارد نمائيد")},
        {ui.Password, QStringLiteral("رمز عبور را وارد نمائيد")},
    };
    for (const auto &[edit, text] : required) {
        if (edit->text().isEmpty()) {
            ui::dialogs().ask(text, QString(), ui::Buttons::Yes, ui::Icon::Question);
            edit->setFocus();
            return;
        }
    }

    // A local database file that does not exist yet is made now, with its schema, so its administrator can
    // sign in: only in a folder that exists, or the proposed data folder, the one folder ever created. The
    // path is checked before anything is made.
    const QString path = ui.SqlServerName->text();
    const bool localFile = radioIndex(ui.RadioGroup1) == localFileItem;
    if (const QString refusal = localFile ? connection::localFileRefusal(path) : QString(); !refusal.isEmpty())
        throw ui::Refusal(refusal, ui.SqlServerName);
    if (localFile && !QFileInfo::exists(path)) {
        const QString folder = QFileInfo(path).absolutePath();
        if (folder == QFileInfo(connection::defaultDatabaseFile()).absolutePath())
            QDir().mkpath(folder);
        if (!QFileInfo(folder).isDir())
            throw ui::Refusal(QStringLiteral("پوشه اين فايل وجود ندارد"), ui.SqlServerName);
        connection::createLocalDatabase(path);
    }

    connection::Settings settings;
    settings.sqlServerName = path;
    settings.dataBase = ui.DataBase->text();
    settings.authentication = authenticationOf(radioIndex(ui.RadioGroup1));
    settings.userName = ui.UserName->text();
    settings.systemType = ui.SystemType->currentText();
    settings.password = ui.Password->text();
    if (!connection::writeSettings(settings))
        ui::warningYes(QStringLiteral("عمليات ثبت با خطا مواجه گرديد، لطفا دوباره سعي نماييد"));
    close();
}

void Tserver::Button2Click()
{
    close();
    ui.Button2->setText(QStringLiteral("end"));
}

void Tserver::Label1Click()
{
    CreateOrUpgradeSchema();
}

void Tserver::Label2Click()
{
    ui.SqlServerName->setText(connection::defaultServer);
}

void Tserver::Label3Click()
{
    ui.DataBase->setText(defaultDataBase);
}

void Tserver::Label4Click()
{
    ui.UserName->setText(defaultUserName);
}

void Tserver::Label5Click()
{
    ui.Password->setText(defaultPassword);
}
