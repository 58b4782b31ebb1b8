#include "message_text.h"
#include "persian/cp1256.h"

namespace message_text {

std::optional<QChar> unstorable(const QString &text)
{
    for (QChar character : text)
        if (!cp1256::encode(character))
            return character;
    return std::nullopt;
}

QByteArray encode(const QString &text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
    QByteArray bytes;
    bytes.reserve(crlf.size());
    for (QChar character : crlf) {
        const std::optional<unsigned char> byte = cp1256::encode(character);
        bytes.append(byte ? char(*byte) : '?');
    }
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text.append(cp1256::decode(static_cast<unsigned char>(byte)));
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace message_text
