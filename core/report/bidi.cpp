#include "report/bidi.h"
#include "ui/reading_direction.h"

namespace report {

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
            set.text += ui::isolated(own);
        else
            set.text += own;
        span.length = int(set.text.size()) - span.start;
    }
    set.text += QStringView(text).mid(copied);
    return set;
}

} // namespace report
