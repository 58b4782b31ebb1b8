#pragma once
// What the program needs of the desktop it runs on: the user's settings store, this workstation's address
// and name, the Persian keyboard layout, and opening a file with its program.
#include <QSettings>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

// The settings of the current user, under "palomirendax", native format, user scope.
std::unique_ptr<QSettings> settings();

// This workstation's IPv4 address as text, and the host name found for an address; empty text on
// failure. Each is looked up once per run and then kept.
QString localIp();
QString hostNameOf(const QString &address);

// Switches to a Persian keyboard layout where the desktop offers one; otherwise does nothing.
void activatePersianKeyboard();

// Opens a file with the desktop's program for it; false when nothing could open it.
bool openWithDesktop(const QString &path);
// Tests replace the opener (nullptr restores the desktop's).
void setFileOpener(std::function<bool(const QString &path)> opener);

// The folder for the program's own files (the local database, the last-user file); created when missing.
QString appDataFolder();

} // namespace platform
