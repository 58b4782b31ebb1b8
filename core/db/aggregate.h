#pragma once
// The count and sums of a list's search, from one aggregate over the search's own statement, wrapped as it is
// ("select count(*), sum(a), ... from (<statement>) listed"). It runs on a thread of its own with a connection of
// its own (SQLite: a read-only handle on the file; SQL Server: an ODBC connection opened there), so an aggregate
// that takes seconds in one step of the engine never holds the user's typing; its answer comes back through the
// event loop. Given up (destroyed) before it answers, it is interrupted and its answer dropped.
#include "db/connection.h"
#include "db/error.h"
#include "db/read_in_turns.h"
#include "db/totals.h"
#include <QObject>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

namespace db::detail {

QString totalsStatement(const Dialect &dialect, const QString &statement, const QStringList &fields);

class Aggregate {
public:
    // Runs `sql` (a count and then the sums); one of the two is called later on this thread, unless given up.
    // Inside a transaction, or on a database without a file, it runs on the connection itself (it alone sees
    // what is written there) and only its answer waits for the event loop.
    Aggregate(Connection &connection, const QString &sql, const QVariantList &values,
              std::function<void(const Totals &)> answered, std::function<void(const Error &)> failed);
    ~Aggregate();
    Aggregate(const Aggregate &) = delete;
    Aggregate &operator=(const Aggregate &) = delete;

    bool answered() const { return answered_; }
    // The answer given now, however long it takes; a failure is thrown.
    void wait();

    struct Run;

private:
    void deliver(bool throwing);

    std::shared_ptr<Run> run_;
    QObject mailbox_; // the answer is posted to it, and dropped with it
    // Reading in turns waits for the answer: the user waits for it, and it comes sooner alone.
    std::optional<ReadInTurns::GiveWay> givingWay_{std::in_place};
    std::function<void(const Totals &)> onAnswer_;
    std::function<void(const Error &)> onFailure_;
    bool answered_ = false;
};

} // namespace db::detail
