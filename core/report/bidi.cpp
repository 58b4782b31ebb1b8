#include "report/bidi.h"
#include <algorithm>

namespace report {

namespace {

constexpr QChar leftToRightIsolate(0x2066);
constexpr QChar rightToLeftIsolate(0x2067);
constexpr QChar popDirectionalIsolate(0x2069);

} // namespace

Qt::LayoutDirection valueDirection(QStringView value)
{
    const bool rightToLeft = std::any_of(value.begin(), value.end(), [](QChar c) {
        return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    });
    return rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
}

SetText isolateValues(const QString &text, const QVector<Span> &spans)
{
    SetText set{QString(), spans};
    set.text.reserve(text.size() + 2 * spans.size());
    qsizetype copied = 0;
    for (Span &span : set.spans) {
        set.text += QStringView(text).mid(copied, span.start - copied);
        const QStringView own = QStringView(text).mid(span.start, span.length);
        copied = span.start + span.length;
        span.start = int(set.text.size());
        if (span.value)
            set.text += valueDirection(own) == Qt::RightToLeft ? rightToLeftIsolate : leftToRightIsolate;
        set.text += own;
        if (span.value)
            set.text += popDirectionalIsolate;
        span.length = int(set.text.size()) - span.start;
    }
    set.text += QStringView(text).mid(copied);
    return set;
}

} // namespace report
