#pragma once
// How this workstation reaches its database: the six connection values stored per user under
// "palomirendax", the stored form of the connection password, the connection strings, and connecting the
// data module's connection as sign-in, the password-change path and the font help do.
#include <QString>
#include <optional>

// The stored form of the connection password: read from its last character to its first, each character's
// Windows-1256 byte lowered by 1 (modulo 256). A character outside that code page is kept as it is, so every
// password comes back unchanged from UnscramblePassword.
QString ScramblePassword(const QString &password);
QString UnscramblePassword(const QString &stored);

namespace connection {

// The texts of tavrelAuthentication. "Access" now names the local SQLite database file.
inline const QString windowsLogin = QStringLiteral("Windows");
inline const QString sqlServerLogin = QStringLiteral("SQL Server");
inline const QString localFile = QStringLiteral("Access");

// The office's database server offered by the settings form.
inline const QString defaultServer = QStringLiteral("192.168.1.10");
// The local database file proposed while nothing is stored, in the user's data folder.
QString defaultDatabaseFile();

struct Settings {
    QString sqlServerName;   // tavrelSqlServerName: server name or address; for "Access", the database file
    QString dataBase;        // tavrelDataBase
    QString authentication;  // tavrelAuthentication: "Windows", "SQL Server" or "Access"
    QString userName;        // tavrelUserName
    QString systemType;      // tavrelSystemType: "32-bit" or "64-bit"; stored, changes nothing here
    QString password;        // tavrelPassword, as typed (it is stored scrambled)
};

// The stored settings; nullopt while nothing is stored for this user. Names match in any letter case.
std::optional<Settings> readSettings();
// Stores the six values in their order; false when the store cannot be written.
bool writeSettings(const Settings &settings);
// One stored value by name in any letter case; empty text when missing.
QString storedValue(const QString &name);

} // namespace connection

// The connection string of a choice: "Access" opens the SQLite file named by sqlServerName; "SQL Server"
// and "Windows" reach Microsoft SQL Server through ODBC and FreeTDS ("Windows" with an integrated login).
// Any other authentication text gives an empty text.
QString BuildConnectionString(const connection::Settings &settings);
// The central server's string: login "sa" with the central password, database "tavrel".
QString CentralConnectionString(const QString &address);

// The two items of the sign-in form's database choice.
enum class DatabaseChoice { Internet = 0, Local = 1 };

// Closes and reopens the data module's connection for the choice, with the messages of each failure and
// the settings form shown modally where the user has to fix the settings. A local SQLite file that does not
// exist yet is created and given the schema. True when the caller may go on.
bool ConnectDatabase(DatabaseChoice choice);
