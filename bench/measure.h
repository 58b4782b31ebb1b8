#pragma once
// Wall-clock timing and the process's memory, read from /proc.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdio>

namespace bench {

// Resident and peak resident memory of this process, in MB.
inline double memoryMb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}
inline double residentMb() { return memoryMb("VmRSS:"); }
inline double peakMb() { return memoryMb("VmHWM:"); }

// Resets the peak so a later peakMb() measures from now (Linux 4.0 and later).
inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Runs the event loop until the condition holds (or the time runs out); false when it ran out.
template <typename Condition>
bool waitFor(Condition &&holds, double limitSeconds = 600)
{
    QElapsedTimer timer;
    timer.start();
    while (!holds()) {
        if (double(timer.nsecsElapsed()) / 1e9 > limitSeconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

template <typename F>
double seconds(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// Where the generated databases are kept between runs: beside the benchmark program, inside the build folder,
// never in the source tree.
inline QString dataFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/bench-data");
}

// One figure of the report: its name, then its value.
inline void report(const char *what, const QString &value)
{
    std::printf("%-52s %s\n", what, qPrintable(value));
    std::fflush(stdout);
}
inline void report(const QString &what, const QString &value) { report(qPrintable(what), value); }

inline QString fixed(double value, int decimals = 3) { return QString::number(value, 'f', decimals); }
// A time; a negative one stands for a moment never reached within the time allowed.
inline QString timeText(double seconds) { return seconds < 0 ? QStringLiteral("not reached") : fixed(seconds); }
inline QString ratioText(double part, double whole, int decimals = 3)
{
    return part < 0 || whole <= 0 ? QStringLiteral("-") : fixed(part / whole, decimals);
}
// " (target at most <x>)", the way every figure with a target names it.
inline QString target(const QString &most) { return QStringLiteral(" (target at most ") + most + u')'; }

} // namespace bench
