#include "pdf_text.h"
#include <QProcess>
#include <QRegularExpression>

namespace pdftext {

QStringList pages(const QString &pdfPath)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath,
                                               QStringLiteral("-")});
    if (!reader.waitForFinished(60000) || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return {};
    QStringList result = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f');
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

} // namespace pdftext
