#include "pdf_text.h"
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

namespace pdftext {

namespace {

QByteArray readerOutput(const QStringList &arguments)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), arguments);
    if (!reader.waitForFinished(60000) || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return {};
    return reader.readAllStandardOutput();
}

} // namespace

QStringList pages(const QString &pdfPath)
{
    const QByteArray text = readerOutput({QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (text.isEmpty())
        return {};
    QStringList result = QString::fromUtf8(text).split(u'\f');
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
        if (u == 0x200C || u == 0x200D || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E)
            || (u >= 0x2066 && u <= 0x2069))
            c = u' ';
        else if (u == 0x06CC || u == 0x0649)
            c = QChar(0x064A); // yeh
        else if (u == 0x06A9)
            c = QChar(0x0643); // kaf
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return folded.replace(blanks, QStringLiteral(" ")).trimmed();
}

namespace {

QStringList tokens(const QString &text)
{
    return normalised(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

bool hasTokens(const QString &text, const QString &phrase)
{
    QStringList words = tokens(text);
    for (const QString &token : tokens(phrase)) {
        const qsizetype at = words.indexOf(token);
        if (at < 0)
            return false;
        words.removeAt(at);
    }
    return true;
}

int countPhrase(const QString &text, const QString &phrase)
{
    const QStringList words = tokens(text);
    const QStringList wanted = tokens(phrase);
    if (wanted.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype i = 0; i + wanted.size() <= words.size(); ++i)
        if (words.mid(i, wanted.size()) == wanted)
            ++count;
    return count;
}

QStringList latinLeftToRight(const QString &pdfPath, const QString &word)
{
    // Every word with its box (Persian ones come glyph by glyph); the PDFs read so have one page.
    static const QRegularExpression placed(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<std::pair<QString, QPointF>> words; // text, left edge and middle height
    const QString page = QString::fromUtf8(readerOutput({QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")}));
    for (const QRegularExpressionMatch &m : placed.globalMatch(page))
        words.append({m.captured(4), {m.captured(1).toDouble(), (m.captured(2).toDouble() + m.captured(3).toDouble()) / 2}});
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
