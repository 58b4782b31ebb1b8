#pragma once
// Work done in turns between the user's events, on the one thread: a turn takes at most `length`, then the
// events waiting get their go, so a page stays responsive while its list is read. A turn that throws ends the
// turns, and its error is reported as any other.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace db::detail {

class Turns {
public:
    static constexpr qint64 length = 50'000'000; // nanoseconds

    // turn: one turn's work, told when the turn began; false when there is nothing left to do.
    Turns(QObject *owner, std::function<bool(const QElapsedTimer &began)> turn);
    Turns(const Turns &) = delete;
    Turns &operator=(const Turns &) = delete;

    void start() { timer_.start(); }
    void stop() { timer_.stop(); }

    static bool over(const QElapsedTimer &began) { return began.nsecsElapsed() >= length; }

private:
    QTimer timer_;
    std::function<bool(const QElapsedTimer &)> turn_;
};

} // namespace db::detail
