#include "connection_settings.h"
#include "cp1256.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "schema.h"
#include "server_u.h"
#include "ui/dialogs.h"
#include <QDir>
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

QString freeTdsString(const connection::Settings &s, const QString &login)
{
    return u"DRIVER=FreeTDS;SERVER=" + odbcValue(s.sqlServerName) + u";PORT=1433;DATABASE=" + odbcValue(s.dataBase)
        + u';' + login + u";TDS_Version=7.4;ClientCharset=UTF-8";
}

bool tryOpen(db::Connection &connection, const QString &connectionString)
{
    try {
        connection.setConnectionString(connectionString);
        connection.open();
        return true;
    } catch (const db::Error &) {
        return false;
    }
}

// The local database file; a file that does not exist yet is created with the schema, so its
// administrator can sign in at once.
bool openLocalFile(db::Connection &connection, const connection::Settings &settings)
{
    const QString path = settings.sqlServerName;
    if (path.trimmed().isEmpty() || QFileInfo(path).isDir())
        return false;
    const bool created = !QFileInfo::exists(path);
    if (!tryOpen(connection, BuildConnectionString(settings)))
        return false;
    if (created)
        RunSchemaSteps();
    return true;
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

} // namespace connection

QString BuildConnectionString(const connection::Settings &s)
{
    if (s.authentication == connection::localFile)
        return u"Provider=SQLite;Data Source=" + s.sqlServerName;
    if (s.authentication == connection::sqlServerLogin)
        return freeTdsString(s, u"UID=" + odbcValue(s.userName) + u";PWD=" + odbcValue(s.password));
    if (s.authentication == connection::windowsLogin)
        return freeTdsString(s, QStringLiteral("Trusted_Connection=Yes"));
    return QString();
}

QString CentralConnectionString(const QString &address)
{
    return BuildConnectionString({address, QStringLiteral("tavrel"), connection::sqlServerLogin, QStringLiteral("sa"),
                                  QString(), QStringLiteral("Ludvex#!%")});
}

bool ConnectDatabase(DatabaseChoice choice)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    if (choice == DatabaseChoice::Internet) {
        connection.close();
        const QString address = connection::storedValue(QStringLiteral("tavrelCentralServer"));
        if (!address.isEmpty() && tryOpen(connection, CentralConnectionString(address)))
            return true;
        ui::showMessage(QStringLiteral("از اتصال خود به اينترنت مطمئن شويد"));
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
        if (openLocalFile(connection, *settings))
            return true;
        refuseWithSettingsForm(QStringLiteral("فايل اكسس يافت نشد"));
        return false;
    }
    if (authentication == connection::sqlServerLogin || authentication == connection::windowsLogin) {
        if (tryOpen(connection, BuildConnectionString(*settings)))
            return true;
        refuseWithSettingsForm(QStringLiteral(
            "تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد"));
        return false;
    }
    // Any other stored kind opens nothing; the next step meets the closed connection.
    return true;
}
