#include "login_u.h"
#include "persian/persian_text.h"
#include "persian/Dates.h"
#include "app.h"
#include "audit.h"
#include "change_pass_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "ui/radio_group.h"
#include "server_u.h"
#include "signed_in_user.h"
#include "unread_mark.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTextStream>

namespace {

std::function<void()> &programEnd()
{
    static std::function<void()> end;
    return end;
}

// The sign-in's statements, the connection's own included, answer within its connect time: a server that takes
// the connection and then goes silent costs the clerk no longer than one that never answers.
db::StatementLimit signInLimit()
{
    db::Connection &connection = forms::dm->ADOConnection1;
    return db::StatementLimit(connection, connection.timeouts().connectSeconds);
}

// A text bound as a value is never NULL: an empty edit compares as the empty text.
QString boundText(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

Tlogin::Tlogin(QWidget *parent) : QDialog(parent)
{
    ui.setupUi(this);
    ui.us->installEventFilter(this);
    ui.ps->installEventFilter(this);

    ui::connectGuarded(ui.BitBtn1, &QPushButton::clicked, this, &Tlogin::BitBtn1Click);
    ui::connectGuarded(ui.BitBtn2, &QPushButton::clicked, this, &Tlogin::BitBtn2Click);
    ui::connectGuarded(ui.Label3, &ClickLabel::clicked, this, &Tlogin::Label3Click);
    ui::connectGuarded(ui.Label4, &ClickLabel::clicked, this, &Tlogin::Label4Click);
    ui::connectGuarded(ui.Label9, &ClickLabel::clicked, this, &Tlogin::Label9Click);
}

Tlogin::~Tlogin() = default;

QString Tlogin::LocalIP()
{
    return platform::localIp();
}

QString Tlogin::IPAddrToName(const QString &address)
{
    return platform::hostNameOf(address);
}

QString Tlogin::lastUserFile()
{
    return QDir(platform::appDataFolder()).filePath(QStringLiteral("tavrel.txt"));
}

void Tlogin::setProgramEnd(std::function<void()> end)
{
    programEnd() = std::move(end);
}

DatabaseChoice Tlogin::databaseChoice() const
{
    return radioIndex(ui.RadioGroup1) == 0 ? DatabaseChoice::Internet : DatabaseChoice::Local;
}

// User names are stored with the Arabic yeh and Latin digits (a Persian keyboard types the others) and
// without blanks at either end, so the typed name is taken in that form; a password is compared exactly as
// typed, as it is stored.
QString Tlogin::typedUser() const
{
    return boundText(text::storedText(ui.us->text()).trimmed());
}

void Tlogin::checkTypedCredentials() const
{
    // An empty name would match an account saved without one and let anyone in with both boxes empty; a name
    // of invisible characters alone is as empty.
    if (text::isBlank(typedUser()))
        throw ui::Refusal(QStringLiteral("نام كاربري را وارد نماييد"), ui.us);
    if (text::hasControlCharacter(typedUser()))
        throw ui::Refusal(QStringLiteral("نام كاربري نويسه نامعتبر دارد"), ui.us);
    if (text::hasControlCharacter(typedPassword()))
        throw ui::Refusal(QStringLiteral("كلمه عبور نويسه نامعتبر دارد"), ui.ps);
}

QString Tlogin::typedPassword() const
{
    return boundText(ui.ps->text());
}

bool Tlogin::connectAndFindUser(const QString &refusal)
{
    checkTypedCredentials();
    if (!ConnectDatabase(databaseChoice()))
        return false;
    db::Query &user = *forms::dm->adoq_signin;
    user.clear();
    user.add(QStringLiteral("select * from users where us=? and ps=?"), typedUser(), typedPassword());
    user.open();
    if (user.isEmpty()) {
        ui::showMessage(refusal);
        return false;
    }
    return true;
}

void Tlogin::rememberUser()
{
    const QString path = lastUserFile();
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream(&file) << ui.us->text() << '\n';
}

bool Tlogin::programIsOutdated()
{
    db::Query &query = *forms::dm->ADOQuery1;
    query.clear();
    query.add(QStringLiteral("Select ver from users where us=?"), QStringLiteral("admin"));
    query.open();
    if (query.isEmpty())
        throw db::Error(QStringLiteral("Select ver from users: no row for the user admin"));
    const QString newest = query[QStringLiteral("ver")].asString();
    if (query[QStringLiteral("ver")].asFloat() <= app::version)
        return false;

    ui::showMessage(u"اين نسخه قديمي است و قابل اجرا نيست. جديدترين نسخه  -  " + newest
                    + u" در ادامه نسخه جديد را دانلود و استفاده نماييد ");
    WriteRefusedSignInAuditRow(typedUser(), u"  ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي   "
                                                + newest + u' ' + typedUser());
    saveReferenceFile(QStringLiteral("آخرين نسخه نرم افزار"),
                      u"tavrel" + shamsiToday().replace(u'/', u'_'));
    return true;
}

QString Tlogin::saveReferenceFile(const QString &description, const QString &proposedName)
{
    db::Query &files = *forms::dm->ADOQ_zamaem;
    files.clear();
    files.add(QStringLiteral("select * from zamaem where cmt=?"), description);
    files.open();
    if (files.isEmpty())
        return QString();
    const QString chosen = ui::dialogs().saveFile(QString(), QString(), proposedName);
    if (chosen.isEmpty())
        return QString();
    files.first();
    return platform::writeChosenFile(chosen, files[QStringLiteral("pictype")].asString(),
                                     files[QStringLiteral("pic")].asBytes());
}

void Tlogin::BitBtn1Click()
{
    const db::StatementLimit limit = signInLimit();
    if (!connectAndFindUser(QStringLiteral("کلمه يا رمز عبور اشتباه است")))
        return;
    db::Query &user = *forms::dm->adoq_signin;
    if (user[QStringLiteral("status")].asString() != QStringLiteral("فعال")) {
        ui::showMessage(QStringLiteral("کاربر شما غير فعال شده است"));
        return;
    }
    const QString name = typedUser();
    const qint64 prsId = user[QStringLiteral("id")].asInteger();
    const QString fullName = user[QStringLiteral("nam")].asString();

    rememberUser();
    SignedInUser::instance().set(QString::number(prsId), name, user[QStringLiteral("lev")].asString());
    if (forms::main_)
        forms::main_->FormResize();

    db::Query &general = *forms::dm->ADOQuery1;
    general.clear();
    general.add(QStringLiteral("Update users set ver=? where us=?"), QString::number(app::version), name);
    general.execSql();

    if (programIsOutdated()) {
        close();
        return;
    }

    WriteSignInAuditRow(name, u"  ورود موفق به نرم افزار  " + name + u' ' + fullName);

    // Sign-in only ever sets the mark; the messages page clears it.
    messages::RefreshUnreadMark(messages::UnreadMark::SetOnly);

    if (forms::main_)
        forms::main_->show();
    hide();
    platform::activatePersianKeyboard();
}

void Tlogin::Label3Click()
{
    const db::StatementLimit limit = signInLimit();
    if (!connectAndFindUser(QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد")))
        return;
    hide();
    forms::change_pass->show();
}

void Tlogin::Label4Click()
{
    ui::showMessage(QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد"));
    ui::dialogs().showModal(forms::server);
}

void Tlogin::Label9Click()
{
    const db::StatementLimit limit = signInLimit();
    if (!ConnectDatabase(databaseChoice()))
        return;
    const QString path =
        saveReferenceFile(QStringLiteral("راهنمايي حل مشکل نمايش فونت ها"), QStringLiteral("tavrel_Language_Help"));
    if (!path.isEmpty())
        platform::openWithDesktop(path);
}

void Tlogin::FormShow()
{
    ui.ps->setFocus();
    QFile file(lastUserFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    ui.us->setText(in.readLine());
}

void Tlogin::BitBtn2Click()
{
    close();
}

void Tlogin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui::guarded([this] { FormShow(); });
}

void Tlogin::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (programEnd())
        programEnd()();
    else
        QCoreApplication::quit();
}

void Tlogin::reject()
{
    BitBtn2Click();
}

bool Tlogin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == ui.us) {
                ui.ps->setFocus();
                return true;
            }
            if (watched == ui.ps) {
                ui.BitBtn1->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
