#pragma once
// The provinces and counties named in the villages register, offered wherever a user picks a place.
#include <QString>
#include <QStringList>

namespace places {

// Every province of the villages register, once each (through the shared setting query); villages with no
// province give one empty item.
QStringList provinces();

// Every named county of one province, once each (through the villages query); the empty province is that
// of the villages with none.
QStringList counties(const QString &province);

} // namespace places
