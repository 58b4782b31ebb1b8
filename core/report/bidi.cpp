#include "report/bidi.h"

namespace report {

namespace {

constexpr QChar firstStrongIsolate(0x2068);
constexpr QChar popDirectionalIsolate(0x2069);

} // namespace

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
            set.text += firstStrongIsolate;
        set.text += own;
        if (span.value)
            set.text += popDirectionalIsolate;
        span.length = int(set.text.size()) - span.start;
    }
    set.text += QStringView(text).mid(copied);
    return set;
}

} // namespace report
