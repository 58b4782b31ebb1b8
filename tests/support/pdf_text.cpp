#include "pdf_text.h"
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace pdftext {

namespace {

QString readerOutput(const QStringList &arguments)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), arguments);
    if (!reader.waitForFinished(60000) || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return {};
    return QString::fromUtf8(reader.readAllStandardOutput());
}

QStringList tokens(const QString &text)
{
    return normalised(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

QStringList pages(const QString &pdfPath)
{
    QStringList result = readerOutput({QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")})
                             .split(u'\f');
    if (!result.isEmpty() && result.last().trimmed().isEmpty())
        result.removeLast(); // pdftotext ends every page with a form feed
    for (QString &page : result)
        page = normalised(page);
    return result;
}

QString normalised(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC);
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if ((u >= 0x200C && u <= 0x200F) || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            c = u' ';
        else if (u == 0x06CC || u == 0x0649)
            c = QChar(0x064A); // yeh
        else if (u == 0x06A9)
            c = QChar(0x0643); // kaf
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return folded.replace(blanks, QStringLiteral(" ")).trimmed();
}

bool hasTokens(const QString &text, const QString &phrase)
{
    QStringList words = tokens(text);
    const QStringList wanted = tokens(phrase);
    return std::all_of(wanted.cbegin(), wanted.cend(), [&](const QString &token) { return words.removeOne(token); });
}

int countPhrase(const QString &text, const QString &phrase)
{
    const QStringList wanted = tokens(phrase);
    // Blanks around every word: the phrase matches whole words only, overlapping matches counted.
    const QString words = u' ' + tokens(text).join(u' ') + u' ';
    return wanted.isEmpty() ? 0 : int(words.count(u' ' + wanted.join(u' ') + u' '));
}

QStringList latinLeftToRight(const QString &pdfPath, const QString &word)
{
    // Every word with its box (Persian ones come glyph by glyph); the PDFs read so have one page.
    static const QRegularExpression placed(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<std::pair<QString, QPointF>> words; // text, left edge and middle height
    const QString page = readerOutput({QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    for (const QRegularExpressionMatch &m : placed.globalMatch(page)) {
        const double middle = (m.captured(2).toDouble() + m.captured(3).toDouble()) / 2;
        words.append({m.captured(4), {m.captured(1).toDouble(), middle}});
    }
    const auto found = std::find_if(words.cbegin(), words.cend(), [&](const auto &w) { return w.first == word; });
    if (found == words.cend())
        return {};
    const double line = found->second.y();
    std::sort(words.begin(), words.end(), [](const auto &a, const auto &b) { return a.second.x() < b.second.x(); });
    QStringList result;
    for (const auto &[text, at] : words)
        if (std::abs(at.y() - line) < 5 && text.front().unicode() < 0x0600)
            result << text;
    return result;
}

} // namespace pdftext
