#include "connection_settings.h"
#include "persian/cp1256.h"
#include "persian/persian_text.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "schema/schema.h"
#include "server_u.h"
#include "ui/dialogs.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <utility>

namespace {

// Each character's code-page byte moved by delta, read from the last character to the first.
QString reverseShifted(const QString &text, int delta)
{
    QString result;
    result.reserve(text.size());
    for (auto it = text.crbegin(); it != text.crend(); ++it) {
        const std::optional<unsigned char> byte = cp1256::encode(*it);
        result += byte ? cp1256::decode(static_cast<unsigned char>(*byte + delta)) : *it;
    }
    return result;
}

const QString serverNameKey = QStringLiteral("tavrelSqlServerName");
const QString dataBaseKey = QStringLiteral("tavrelDataBase");
const QString authenticationKey = QStringLiteral("tavrelAuthentication");
const QString userNameKey = QStringLiteral("tavrelUserName");
const QString systemTypeKey = QStringLiteral("tavrelSystemType");
const QString passwordKey = QStringLiteral("tavrelPassword");
const QString centralServerKey = QStringLiteral("tavrelCentralServer");
const QString centralDataBaseKey = QStringLiteral("tavrelCentralDataBase");
const QString centralUserNameKey = QStringLiteral("tavrelCentralUserName");
const QString centralPasswordKey = QStringLiteral("tavrelCentralPassword");

// An ODBC attribute value: braced (with "}" doubled) when it holds a character the connection-string
// grammar reserves, or blanks at either end.
QString odbcValue(const QString &value)
{
    static const QString reserved = QStringLiteral("[]{}(),;?*=!@");
    bool braced = value.startsWith(u' ') || value.endsWith(u' ');
    for (const QChar c : value)
        braced = braced || reserved.contains(c);
    if (!braced)
        return value;
    QString inner = value;
    inner.replace(u'}', QStringLiteral("}}"));
    return u'{' + inner + u'}';
}

// The server's name may carry its port after a comma ("10.0.0.5,1500"), as SQL Server's own clients take it.
QString freeTdsString(const connection::Settings &s, const QString &login)
{
    QString server = s.sqlServerName;
    QString port = QStringLiteral("1433");
    if (const qsizetype comma = server.lastIndexOf(u','); comma > 0) {
        port = server.mid(comma + 1).trimmed();
        server.truncate(comma);
    }
    return u"DRIVER=FreeTDS;SERVER=" + odbcValue(server.trimmed()) + u";PORT=" + odbcValue(port) + u";DATABASE="
        + odbcValue(s.dataBase) + u';' + login + u";TDS_Version=7.4;ClientCharset=UTF-8";
}

// Opens the connection; the refusal when it could not be opened.
std::optional<db::Error> tryOpen(db::Connection &connection, const connection::Settings &settings)
{
    try {
        connection::aim(connection, settings);
        connection.open();
        return std::nullopt;
    } catch (const db::Error &error) {
        return error;
    }
}

// The message of a failed connection: what to check, then the driver's reason on a second line. A file held
// by another program or one that can't be written is told as such.
QString failureText(const QString &whatToCheck, const db::Error &error)
{
    if (error.kind() == db::Error::Kind::Locked || error.kind() == db::Error::Kind::ReadOnly)
        return error.text();
    return whatToCheck + u'\n' + error.text();
}

void refuseWithSettingsForm(const QString &text)
{
    ui::warningYes(text);
    ui::dialogs().showModal(forms::server);
}

} // namespace

QString ScramblePassword(const QString &password)
{
    return reverseShifted(password, -1);
}

QString UnscramblePassword(const QString &stored)
{
    return reverseShifted(stored, +1);
}

namespace connection {

QString defaultDatabaseFile()
{
    return QDir(platform::appDataFolder()).filePath(QStringLiteral("tavrel.sqlite"));
}

std::optional<Settings> readSettings()
{
    const std::unique_ptr<QSettings> store = platform::settings();
    if (store->status() != QSettings::NoError || store->childKeys().isEmpty())
        return std::nullopt;
    Settings s;
    s.sqlServerName = platform::settingText(*store, serverNameKey);
    s.dataBase = platform::settingText(*store, dataBaseKey);
    s.authentication = platform::settingText(*store, authenticationKey);
    s.userName = platform::settingText(*store, userNameKey);
    s.systemType = platform::settingText(*store, systemTypeKey);
    s.password = UnscramblePassword(platform::settingText(*store, passwordKey));
    return s;
}

bool writeSettings(const Settings &s)
{
    const std::unique_ptr<QSettings> store = platform::settings();
    if (!store->isWritable())
        return false;
    const std::array<std::pair<const QString &, QString>, 6> values{{
        {serverNameKey, s.sqlServerName},
        {dataBaseKey, s.dataBase},
        {authenticationKey, s.authentication},
        {userNameKey, s.userName},
        {systemTypeKey, s.systemType},
        {passwordKey, ScramblePassword(s.password)},
    }};
    for (const auto &[name, value] : values)
        platform::setSettingText(*store, name, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

QString storedValue(const QString &name)
{
    return platform::settingText(*platform::settings(), name);
}

std::optional<Settings> readCentralSettings()
{
    const std::unique_ptr<QSettings> store = platform::settings();
    Settings s;
    s.sqlServerName = platform::settingText(*store, centralServerKey).trimmed();
    if (s.sqlServerName.isEmpty())
        return std::nullopt;
    s.dataBase = platform::settingText(*store, centralDataBaseKey);
    if (s.dataBase.isEmpty())
        s.dataBase = QStringLiteral("tavrel");
    s.userName = platform::settingText(*store, centralUserNameKey);
    if (s.userName.isEmpty())
        s.userName = QStringLiteral("sa");
    s.password = UnscramblePassword(platform::settingText(*store, centralPasswordKey));
    s.authentication = sqlServerLogin;
    return s;
}

bool writeCentralSettings(const Settings &s)
{
    const std::unique_ptr<QSettings> store = platform::settings();
    platform::setSettingText(*store, centralServerKey, s.sqlServerName);
    platform::setSettingText(*store, centralDataBaseKey, s.dataBase);
    platform::setSettingText(*store, centralUserNameKey, s.userName);
    platform::setSettingText(*store, centralPasswordKey, ScramblePassword(s.password));
    store->sync();
    return store->status() == QSettings::NoError;
}

QString localFileRefusal(const QString &path)
{
    if (text::hasControlCharacter(path))
        return QStringLiteral("مسير فايل نويسه نامعتبر دارد");
    if (path.startsWith(u' ') || path.endsWith(u' '))
        return QStringLiteral("مسير فايل با فاصله شروع يا تمام شده است");
    // A relative path would name another file whenever the program starts from another folder.
    if (!QDir::isAbsolutePath(path))
        return QStringLiteral("مسير کامل فايل را وارد نماييد");
    if (QFileInfo(path).isDir())
        return QStringLiteral("اين مسير يک پوشه است؛ نام فايل را هم وارد نماييد");
    return QString();
}

void aim(db::Connection &connection, const Settings &settings)
{
    if (settings.authentication == localFile)
        connection.setDatabaseFile(settings.sqlServerName);
    else
        connection.setConnectionString(BuildConnectionString(settings));
}

void createLocalDatabase(const QString &path)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.close();
    try {
        connection.setDatabaseFile(path);
        connection.open();
        RunSchemaSteps();
        connection.close();
    } catch (...) {
        connection.close();
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
        throw;
    }
}

} // namespace connection

QString BuildConnectionString(const connection::Settings &s)
{
    if (s.authentication == connection::sqlServerLogin)
        return freeTdsString(s, u"UID=" + odbcValue(s.userName) + u";PWD=" + odbcValue(s.password));
    if (s.authentication == connection::windowsLogin)
        return freeTdsString(s, QStringLiteral("Trusted_Connection=Yes"));
    return QString();
}

bool ConnectDatabase(DatabaseChoice choice)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    if (choice == DatabaseChoice::Internet) {
        connection.close();
        const std::optional<connection::Settings> central = connection::readCentralSettings();
        if (!central) {
            ui::showMessage(QStringLiteral("سرور مرکزي در تنظيمات اين کامپيوتر تعريف نشده است"));
            return false;
        }
        const std::optional<db::Error> failure = tryOpen(connection, *central);
        if (!failure)
            return true;
        ui::showMessage(failureText(QStringLiteral("از اتصال خود به اينترنت مطمئن شويد"), *failure));
        return false;
    }

    const std::optional<connection::Settings> settings = connection::readSettings();
    if (!settings) {
        refuseWithSettingsForm(QStringLiteral("لطفا\" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد"));
        return false;
    }
    connection.close();
    const QString &authentication = settings->authentication;
    if (authentication == connection::localFile) {
        const QString notFound = QStringLiteral("فايل اكسس يافت نشد");
        // Sign-in never makes a database: a mistyped path must not land the user in an empty register.
        if (!QFileInfo(settings->sqlServerName).isFile()) {
            refuseWithSettingsForm(notFound);
            return false;
        }
        const std::optional<db::Error> failure = tryOpen(connection, *settings);
        if (!failure)
            return true;
        refuseWithSettingsForm(failureText(notFound, *failure));
        return false;
    }
    if (authentication == connection::sqlServerLogin || authentication == connection::windowsLogin) {
        const std::optional<db::Error> failure = tryOpen(connection, *settings);
        if (!failure)
            return true;
        refuseWithSettingsForm(failureText(
            QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد"),
            *failure));
        return false;
    }
    // Any other stored kind opens nothing; the next step meets the closed connection, never the database
    // that was open before.
    return true;
}
