#include "drawn_text.h"
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <QWidget>
#include <algorithm>

namespace {

struct PlacedRun {
    QPointF at;
    QString text;
};

// Keeps the runs of text it is given, and draws nothing.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        QString text = item.text();
        text.removeIf([](QChar c) {
            const char16_t u = c.unicode();
            return u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        });
        if (!text.trimmed().isEmpty())
            runs.append({painter()->combinedTransform().map(at), text});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<PlacedRun> runs;
};

// A picture that hands what is painted on it to the recording engine instead.
class RecordingDevice : public QPicture {
public:
    QPaintEngine *paintEngine() const override { return &engine; }

    mutable RecordingEngine engine;
};

} // namespace

QList<DrawnRun> drawnLine(QWidget *widget, const QString &word)
{
    QGuiApplication::processEvents(); // a view lays its items out when the events come round
    RecordingDevice device;
    {
        QPainter painter(&device);
        painter.setLayoutDirection(QGuiApplication::layoutDirection()); // as the screen's painter starts
        widget->render(&painter);
    }
    const QList<PlacedRun> &runs = device.engine.runs;
    const auto holds = [&](const PlacedRun &run) { return run.text.contains(word); };
    const auto found = std::find_if(runs.cbegin(), runs.cend(), holds);
    if (found == runs.cend())
        return {};
    QList<DrawnRun> line;
    for (const PlacedRun &run : runs)
        if (std::abs(run.at.y() - found->at.y()) < 1)
            line.append({run.at.x(), run.text});
    std::sort(line.begin(), line.end(), [](const DrawnRun &a, const DrawnRun &b) { return a.left < b.left; });
    return line;
}

QString drawnLeftToRight(QWidget *widget, const QString &word)
{
    QString joined;
    for (const DrawnRun &run : drawnLine(widget, word))
        joined += run.text;
    return joined;
}
