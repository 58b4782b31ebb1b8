#pragma once
// What the program needs of the desktop it runs on: the user's settings store, this workstation's address
// and name, the Persian keyboard layout, and opening a file with its program.
#include <QSettings>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

// The organisation and program names the settings and the program's own files are kept under.
inline QString organisationName() { return QStringLiteral("palomirendax"); }
inline QString programName() { return QStringLiteral("tavrel"); }

// The settings of the current user, under "palomirendax", native format, user scope.
std::unique_ptr<QSettings> settings();
// The settings store matches value names without regard to letter case, as the registry did: a value
// written as "tavrelDataBase" reads back as "TavrelDataBase". A missing value reads as empty text.
QString settingText(const QSettings &store, const QString &name);
// Writes a text value, replacing the value under any other spelling of its name.
void setSettingText(QSettings &store, const QString &name, const QString &text);

// This workstation's IPv4 address as text, and the host name found for an address; empty text on
// failure. Each is looked up once per run and then kept.
QString localIp();
QString hostNameOf(const QString &address);
// This machine's own host name, for an address of its own that the resolver knows no name for.
QString ownHostName();

// Switches to a Persian keyboard layout where the desktop offers one; otherwise does nothing.
void activatePersianKeyboard();

// Opens a file with the desktop's program for it; false when nothing could open it.
bool openWithDesktop(const QString &path);
// Tests replace the opener (nullptr restores the desktop's).
void setFileOpener(std::function<bool(const QString &path)> opener);

// The folder for the program's own files (the local database, the last-user file); created when missing.
// It is the data location of organisationName()/programName(), whatever the running executable is called.
QString appDataFolder();

} // namespace platform
