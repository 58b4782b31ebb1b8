#pragma once
// The Arabic Windows code page (1256), which the stored connection password is counted in. Qt offers no
// codec for it without ICU, and the password needs only a character-to-byte table.
#include <QChar>
#include <optional>

namespace cp1256 {

// The byte of a character, or nothing when the code page has no such character.
std::optional<unsigned char> encode(QChar character);
// The character of a byte: every byte of the code page stands for one.
QChar decode(unsigned char byte);

} // namespace cp1256
