#include "drawn_text.h"
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <climits>

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

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(const QSize &size) : size_(size) {}
    QPaintEngine *paintEngine() const override { return &engine; }

    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return size_.width() * 254 / 960;
        case PdmHeightMM: return size_.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize size_;
};

} // namespace

QList<DrawnRun> drawnLine(QWidget *widget, const QString &word)
{
    QGuiApplication::processEvents(); // a view lays its items out when the events come round
    RecordingDevice device(widget->size());
    {
        QPainter painter(&device);
        painter.setLayoutDirection(QGuiApplication::layoutDirection()); // as the screen's painter starts
        widget->render(&painter);
    }
    const QList<PlacedRun> &runs = device.engine.runs;
    const auto found = std::find_if(runs.cbegin(), runs.cend(), [&](const PlacedRun &r) { return r.text.contains(word); });
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
