#include "db/sqltext.h"
#include <QStringList>

namespace db::detail {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'@' || c == u'$';
}

// Skips the quoted text opening at `i` ('...', "...", [...], `...`); returns the index after it.
qsizetype skipQuoted(const QString &sql, qsizetype i)
{
    const QChar open = sql.at(i);
    const QChar close = open == u'[' ? QChar(u']') : open;
    for (++i; i < sql.size(); ++i) {
        if (sql.at(i) == close) {
            if (i + 1 < sql.size() && sql.at(i + 1) == close && open != u'[') {
                ++i; // a doubled quote stands for itself
                continue;
            }
            return i + 1;
        }
    }
    return i;
}

QString unquote(QString part)
{
    if (part.size() >= 2 && (part.front() == u'[' || part.front() == u'"' || part.front() == u'`'))
        return part.mid(1, part.size() - 2);
    return part;
}

// The (possibly dotted, possibly quoted) name starting at `i`.
QString nameAt(const QString &sql, qsizetype i)
{
    QStringList parts;
    while (i < sql.size()) {
        const qsizetype start = i;
        const QChar c = sql.at(i);
        if (c == u'[' || c == u'"' || c == u'`')
            i = skipQuoted(sql, i);
        else
            while (i < sql.size() && isWordChar(sql.at(i)))
                ++i;
        if (i == start)
            break;
        parts << unquote(sql.mid(start, i - start));
        if (i >= sql.size() || sql.at(i) != u'.')
            break;
        ++i;
    }
    return parts.join(u'.');
}

} // namespace

QString baseTableOf(const QString &sql)
{
    int depth = 0;
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'[' || c == u'`') {
            i = skipQuoted(sql, i);
        } else if (c == u'(') {
            ++depth;
            ++i;
        } else if (c == u')') {
            --depth;
            ++i;
        } else if (isWordChar(c)) {
            const qsizetype start = i;
            while (i < sql.size() && isWordChar(sql.at(i)))
                ++i;
            if (depth == 0 && QStringView(sql).mid(start, i - start).compare(u"from", Qt::CaseInsensitive) == 0) {
                while (i < sql.size() && sql.at(i).isSpace())
                    ++i;
                return nameAt(sql, i);
            }
        } else {
            ++i;
        }
    }
    return QString();
}

} // namespace db::detail
