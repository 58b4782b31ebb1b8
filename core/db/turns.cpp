#include "db/turns.h"
#include "ui/guard.h"

namespace db::detail {

Turns::Turns(QObject *owner, std::function<bool(const QElapsedTimer &)> turn) : turn_(std::move(turn))
{
    timer_.setInterval(0);
    ui::connectGuarded(&timer_, &QTimer::timeout, owner, [this] {
        QElapsedTimer began;
        began.start();
        bool more = false;
        try {
            more = turn_(began);
        } catch (...) {
            timer_.stop();
            throw;
        }
        if (!more)
            timer_.stop();
    });
}

} // namespace db::detail
