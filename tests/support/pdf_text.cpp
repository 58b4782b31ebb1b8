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
    QStringList words = normalised(text).split(u' ', Qt::SkipEmptyParts);
    const QStringList wanted = normalised(phrase).split(u' ', Qt::SkipEmptyParts);
    return std::all_of(wanted.cbegin(), wanted.cend(), [&](const QString &token) { return words.removeOne(token); });
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
    QStringList result;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Placed &w = words[i];
        if (i > 0 && w.persian() && words[i - 1].persian() && w.left - words[i - 1].right < 1)
            result.last().prepend(w.text); // a Persian word runs from right to left, glyph by touching glyph
        else
            result << w.text;
    }
    return normalised(result.join(u' '));
}

} // namespace pdftext
