#pragma once
// A message's text as table payamha keeps it: the bytes of the text in the program's code page (1256), in
// a blob column, with the line breaks of the older memo (CR LF).
#include <QByteArray>
#include <QString>
#include <optional>

namespace message_text {

// The first character of the text that has no place in the code page (it would be stored as "?").
std::optional<QChar> unstorable(const QString &text);
// The stored bytes of a text that has no such character.
QByteArray encode(const QString &text);
// The text of stored bytes, line breaks as "\n".
QString decode(const QByteArray &bytes);

} // namespace message_text
