#pragma once
// How this workstation reaches its database: the six connection values stored per user under
// "palomirendax", the stored form of the connection password, the connection strings, and connecting the
// data module's connection as sign-in, the password-change path and the font help do.
#include <QString>
#include <optional>

namespace db {
class Connection;
}

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

// The central server reached over the internet, from the values stored beside the others:
// tavrelCentralServer (address), tavrelCentralDataBase ("tavrel" when empty), tavrelCentralUserName ("sa"
// when empty) and tavrelCentralPassword (scrambled like tavrelPassword). nullopt while no address is stored.
std::optional<Settings> readCentralSettings();
// Stores the four central values (tests and administrators' scripts; the program only reads them).
bool writeCentralSettings(const Settings &settings);

// Why the path can't name the local database file, in Persian; empty text when it can. It must be a full path,
// not a folder's, without blanks at either end (which nobody sees) or control characters. Any other
// character, ";" included, is part of the file's name.
QString localFileRefusal(const QString &path);

// Creates the local database file with its schema, on the data module's connection, which is then closed.
// The file must not exist and its folder must; a failure removes what was made and throws db::Error.
void createLocalDatabase(const QString &path);

// Points the connection at the database of the settings: the local file by its path, taken whole, a server
// by its connection string.
void aim(db::Connection &connection, const Settings &settings);

} // namespace connection

// The connection string of a server: "SQL Server" and "Windows" reach Microsoft SQL Server through ODBC and
// FreeTDS ("Windows" with an integrated login). Any other authentication text gives an empty text: the local
// file ("Access") is reached by its path (connection::aim).
QString BuildConnectionString(const connection::Settings &settings);
// The two items of the sign-in form's database choice.
enum class DatabaseChoice { Internet = 0, Local = 1 };

// Closes and reopens the data module's connection for the choice, with the messages of each failure (the
// driver's reason on a second line) and the settings form shown modally where the user has to fix the
// settings. A local database file that does not exist is never created here. True when the caller may go on.
bool ConnectDatabase(DatabaseChoice choice);
