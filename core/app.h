#pragma once
// What every run of the program sets up before its forms exist: right to left, the Persian font, Qt's own
// Persian texts, combo boxes as wide as their layout whatever their items, and the dialog service.
class QApplication;

namespace app {

constexpr int version = 1; // the program's version, recorded in users.ver at sign-in

void initialise(QApplication &application);

} // namespace app
