#include "report/bidi.h"

namespace report {

namespace {

constexpr QChar firstStrongIsolate(0x2068);
constexpr QChar popDirectionalIsolate(0x2069);
constexpr QChar rightToLeftMark(0x200F);

enum class Strength { Left, Right, Neutral, Transparent };

bool isDigit(const QString &text, qsizetype i)
{
    if (i < 0 || i >= text.size())
        return false;
    const QChar::Direction d = text[i].direction();
    return d == QChar::DirEN || d == QChar::DirAN;
}

// How the character at i weighs on the direction of the blanks and punctuation beside it: numbers count as
// right to left there, as the bidirectional algorithm has them; a separator inside a number ("1,250",
// "1403/05/01") belongs to it, anywhere else (a colon after a word) it is punctuation like any other.
Strength strengthOf(const QString &text, qsizetype i)
{
    switch (text[i].direction()) {
    case QChar::DirCS:
    case QChar::DirES: return isDigit(text, i - 1) && isDigit(text, i + 1) ? Strength::Transparent : Strength::Neutral;
    case QChar::DirET: return isDigit(text, i - 1) || isDigit(text, i + 1) ? Strength::Transparent : Strength::Neutral;
    case QChar::DirL:
    case QChar::DirLRE:
    case QChar::DirLRO: return Strength::Left;
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirEN:
    case QChar::DirAN: return Strength::Right;
    case QChar::DirWS:
    case QChar::DirON:
    case QChar::DirS:
    case QChar::DirB:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI: return Strength::Neutral;
    default: return Strength::Transparent;
    }
}

// Builds a text from the original's characters and marks, keeping where each character went with the
// marks that belong to it: an opening mark to the character after it, a closing mark to the one before.
// A run of the original then covers its own marks, so a run's edge never falls between a mark and the
// blank it pins.
class Rewriter {
public:
    // Without runs to move, nothing is kept but the text.
    Rewriter(qsizetype size, bool keepPlaces)
        : begin_(keepPlaces ? size : 0, 0), end_(keepPlaces ? size : 0, 0)
    {
        text_.reserve(size + 8);
    }
    void open(QChar mark)
    {
        if (opening_ < 0)
            opening_ = int(text_.size());
        text_ += mark;
    }
    void close(QChar mark)
    {
        text_ += mark;
        if (last_ >= 0 && !end_.isEmpty())
            end_[last_] = int(text_.size());
    }
    void copy(qsizetype from, QChar c)
    {
        if (!begin_.isEmpty())
            begin_[from] = opening_ >= 0 ? opening_ : int(text_.size());
        opening_ = -1;
        text_ += c;
        if (!end_.isEmpty())
            end_[from] = int(text_.size());
        last_ = from;
    }
    QString text() const { return text_; }
    QVector<Span> move(const QVector<Span> &spans) const
    {
        QVector<Span> result = spans;
        for (Span &span : result) {
            if (span.length <= 0)
                continue;
            const int end = end_[span.start + span.length - 1];
            span.start = begin_[span.start];
            span.length = end - span.start;
        }
        return result;
    }

private:
    QString text_;
    QVector<int> begin_;
    QVector<int> end_;
    int opening_ = -1;
    qsizetype last_ = -1;
};

SetText isolateValues(const QString &text, const QVector<Span> &spans)
{
    Rewriter out(text.size(), true);
    qsizetype i = 0;
    for (const Span &span : spans) {
        for (; i < span.start; ++i)
            out.copy(i, text[i]);
        if (span.value)
            out.open(firstStrongIsolate);
        for (; i < span.start + span.length; ++i)
            out.copy(i, text[i]);
        if (span.value)
            out.close(popDirectionalIsolate);
    }
    for (; i < text.size(); ++i)
        out.copy(i, text[i]);
    return {out.text(), out.move(spans)};
}

// Copies the text, pinning with right-to-left marks every stretch of blanks and punctuation that reads right
// to left; isolated(i) tells the characters of isolated values, which count as one neutral from outside.
template <typename Isolated>
void pinNeutrals(const QString &in, bool rightToLeft, Isolated isolated, Rewriter &out, bool replayed)
{
    const qsizetype n = in.size();
    const auto strength = [&](qsizetype i) { return isolated(i) ? Strength::Neutral : strengthOf(in, i); };
    const Strength paragraph = rightToLeft ? Strength::Right : Strength::Left;
    Strength before = paragraph; // the last strong character copied
    for (qsizetype i = 0; i < n;) {
        const Strength here = strength(i);
        if (here != Strength::Neutral) {
            if (here != Strength::Transparent)
                before = here;
            out.copy(i, in[i]);
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && strength(end) == Strength::Neutral)
            ++end;
        Strength after = paragraph;
        for (qsizetype j = end; j < n; ++j)
            if (const Strength s = strength(j); s == Strength::Left || s == Strength::Right) {
                after = s;
                break;
            }
        const bool pinned = (before == after ? before : paragraph) == Strength::Right;
        // Marks on both sides of every stretch of blanks and punctuation, also where it meets a value.
        bool inStretch = false;
        for (; i < end; ++i) {
            if (pinned && !isolated(i) != inStretch) {
                if (inStretch)
                    out.close(rightToLeftMark);
                else
                    out.open(rightToLeftMark);
                inStretch = !inStretch;
            }
            // The preview draws a run again left to right, which undoes the mirroring of its brackets: a
            // pinned "(" is handed over as the ")" it shows as.
            out.copy(i, replayed && pinned && !isolated(i) ? in[i].mirroredChar() : in[i]);
        }
        if (inStretch)
            out.close(rightToLeftMark);
    }
}

// Only Persian text with blanks or punctuation, and paragraphs with values, need anything done.
bool needsPreparing(const QString &text, const QVector<Span> &spans)
{
    for (const Span &span : spans)
        if (span.value)
            return true;
    bool rightToLeft = false, neutral = false;
    for (const QChar c : text) {
        const QChar::Direction d = c.direction();
        rightToLeft = rightToLeft || d == QChar::DirR || d == QChar::DirAL;
        neutral = neutral || d == QChar::DirWS || d == QChar::DirON || d == QChar::DirCS || d == QChar::DirES
                  || d == QChar::DirET || d == QChar::DirS;
        if (rightToLeft && neutral)
            return true;
    }
    return false;
}

} // namespace

SetText prepareForSetting(const QString &text, const QVector<Span> &spans, bool rightToLeft, bool replayed)
{
    if (!needsPreparing(text, spans))
        return {text, spans};
    bool values = false;
    for (const Span &span : spans)
        values = values || span.value;
    if (!values) {
        Rewriter out(text.size(), !spans.isEmpty());
        pinNeutrals(text, rightToLeft, [](qsizetype) { return false; }, out, replayed);
        return {out.text(), out.move(spans)};
    }

    const SetText isolated = isolateValues(text, spans);
    QVector<bool> inValue(isolated.text.size(), false);
    int depth = 0;
    for (qsizetype i = 0; i < isolated.text.size(); ++i) {
        if (isolated.text[i] == firstStrongIsolate)
            ++depth;
        inValue[i] = depth > 0;
        if (isolated.text[i] == popDirectionalIsolate && depth > 0)
            --depth;
    }
    Rewriter out(isolated.text.size(), true);
    pinNeutrals(isolated.text, rightToLeft, [&](qsizetype i) { return bool(inValue[i]); }, out, replayed);
    return {out.text(), out.move(isolated.spans)};
}

} // namespace report
