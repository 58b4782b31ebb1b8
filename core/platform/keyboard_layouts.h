#pragma once
// Choosing the Persian layout among the X keyboard layouts the user already has.
#include <QString>
#include <QStringList>

namespace platform {

// From the output of "setxkbmap -query": the arguments of setxkbmap that make the Persian layout ("ir")
// the first and active group while keeping the user's other layouts and their variants; empty when the
// user has no Persian layout.
QStringList persianLayoutArguments(const QString &query);

} // namespace platform
