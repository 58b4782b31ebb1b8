#include "drawn_text.h"
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <QWidget>
#include <algorithm>

namespace {

// Keeps the runs of text it is given, each with the height it stands at, and draws nothing.
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
        const QPointF placed = painter()->combinedTransform().map(at);
        if (!text.trimmed().isEmpty())
            runs.append({placed.y(), {placed.x(), text}});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<std::pair<double, DrawnRun>> runs;
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
    const auto &runs = device.engine.runs;
    const auto found =
        std::find_if(runs.cbegin(), runs.cend(), [&](const auto &run) { return run.second.text.contains(word); });
    QList<DrawnRun> line;
    for (const auto &[y, run] : runs)
        if (found != runs.cend() && std::abs(y - found->first) < 1)
            line.append(run);
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
