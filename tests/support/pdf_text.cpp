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

QString wordsLeftToRight(const QString &pdfPath, const QString &word)
{
    struct Placed {
        QString text;
        double left, right, middle;
        bool persian() const { return text.front().unicode() >= 0x0600; }
    };
    static const QRegularExpression placed(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Placed> words;
    const QString page = readerOutput({QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    for (const QRegularExpressionMatch &m : placed.globalMatch(page))
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(3).toDouble(),
                      (m.captured(2).toDouble() + m.captured(4).toDouble()) / 2});
    const auto found = std::find_if(words.cbegin(), words.cend(), [&](const Placed &w) { return w.text == word; });
    if (found == words.cend())
        return {};
    const double line = found->middle;
    words.removeIf([&](const Placed &w) { return std::abs(w.middle - line) >= 5; });
    std::sort(words.begin(), words.end(), [](const Placed &a, const Placed &b) { return a.left < b.left; });
    QList<Placed> joined;
    for (const Placed &w : std::as_const(words)) {
        if (!joined.isEmpty() && w.persian() && joined.last().persian() && w.left - joined.last().right < 1) {
            joined.last().text.prepend(w.text); // a Persian word runs from right to left
            joined.last().right = w.right;
        } else {
            joined.append(w);
        }
    }
    QStringList result;
    for (const Placed &w : std::as_const(joined))
        result << w.text;
    return normalised(result.join(u' '));
}

} // namespace pdftext
