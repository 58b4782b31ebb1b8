#include "db/read_in_turns.h"
#include "db/feedback.h"
#include <limits>

namespace db::detail {

ReadInTurns::ReadInTurns(Connection &connection, std::unique_ptr<RowReader> reader, Owner owner)
    : connection_(connection), reader_(std::move(reader)), owner_(std::move(owner))
{
    Connection::PendingRead pending;
    pending.onChannel = connection_.engine() != Engine::SQLite;
    pending.readRest = [this] { finish(); };
    pending.giveUp = [this] {
        stop();
        if (owner_.givenUp)
            owner_.givenUp();
    };
    connection_.addPendingRead(this, std::move(pending));
    turns_.setInterval(0);
    QObject::connect(&turns_, &QTimer::timeout, [this] { turn(); });
}

ReadInTurns::~ReadInTurns()
{
    stop();
}

void ReadInTurns::stop()
{
    turns_.stop();
    if (reader_)
        connection_.removePendingRead(this);
    reader_.reset();
}

void ReadInTurns::read(qsizetype rows)
{
    if (reader_)
        readSome(rows, nullptr);
}

void ReadInTurns::start()
{
    if (!reader_)
        return;
    // The first turns are short: the page the rows are for is shown and painted between them.
    turn_ = firstTurn;
    turns_.start();
}

void ReadInTurns::finish()
{
    if (!reader_)
        return;
    const feedback::Waiting waiting;
    readSome(std::numeric_limits<qsizetype>::max(), nullptr);
}

// Reads up to `rows` rows, or as many as the turn has time for, and tells the owner once. Nothing of this is
// touched after the owner was told: it may stop this, or close the list.
void ReadInTurns::readSome(qsizetype rows, const QElapsedTimer *turn)
{
    ResultSet &into = *owner_.rows;
    const qsizetype first = into.rows;
    bool more = true;
    try {
        // A turn reads until its time is over; a command's read goes at once.
        const qint64 length = turn_;
        more = turn ? reader_->read(into, rows, [turn, length] { return turn->nsecsElapsed() >= length; })
                    : reader_->read(into, rows);
    } catch (const std::exception &failure) {
        const Error told = readFailure(failure);
        stop();
        if (owner_.failed)
            owner_.failed();
        throw told;
    }
    if (!more)
        stop();
    if (owner_.arrived)
        owner_.arrived(first, into.rows - first, more);
}

void ReadInTurns::turn()
{
    // Giving way, the turns only look now and then whether they may go on.
    turns_.setInterval(givingWay_ > 0 ? 5 : 0);
    if (givingWay_ > 0)
        return;
    QElapsedTimer began;
    began.start();
    try {
        readSome(std::numeric_limits<qsizetype>::max(), &began);
    } catch (const Error &error) {
        feedback::failed(error);
        return;
    }
    turn_ = std::min(2 * turn_, turnLength);
}

} // namespace db::detail
