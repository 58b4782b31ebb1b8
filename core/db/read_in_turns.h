#pragma once
// A select read to its end, the one way anything reads a statement in turns (a list's rows, a page's pick
// lists): a first slice at once, then the rest in turns between the user's events (a turn takes at most 20 ms,
// then the events waiting get their go), or all that is left at once for a command that needs it. The reader
// goes the moment its last row is read, or when this is stopped or destroyed: no read stays open while the
// program is idle. A result the connection's own channel carries (ODBC, one result at a time) is read to its
// end before the connection runs anything else.
//
// A read that fails ends here, once for all: the reader goes, the owner drops what it has read (no part is ever
// taken for the whole), and the failure, its first line Persian and the driver's reason after it, goes on to the
// command that waits, or between events to db::feedback.
#include "db/fetch.h"
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

namespace db::detail {

class ReadInTurns {
public:
    struct Owner {
        ResultSet *rows = nullptr; // where the rows read go
        // After each slice: the rows it added to *rows, and whether more are to come (the reader has gone if not).
        std::function<void(qsizetype first, qsizetype count, bool more)> arrived;
        std::function<void()> failed;  // the read failed: the owner drops its rows
        std::function<void()> givenUp; // the connection closed with rows still to come
    };
    static constexpr qint64 turnLength = 20'000'000; // nanoseconds
    static constexpr qint64 firstTurn = 2'000'000;

    ReadInTurns(Connection &connection, std::unique_ptr<RowReader> reader, Owner owner);
    ~ReadInTurns();
    ReadInTurns(const ReadInTurns &) = delete;
    ReadInTurns &operator=(const ReadInTurns &) = delete;

    // While one lives, every reader's turns give way: a count the user waits for runs on a thread of its own.
    class GiveWay {
    public:
        GiveWay() { ++givingWay_; }
        ~GiveWay() { --givingWay_; }
        GiveWay(const GiveWay &) = delete;
        GiveWay &operator=(const GiveWay &) = delete;
    };

    bool reading() const { return reader_ != nullptr; }
    ResultSet emptyRows() const { return reader_->columns(); } // while reading
    void read(qsizetype rows); // up to this many now
    void start();              // the rest in turns
    void finish();             // the rest now, the user told to wait
    void stop();               // nothing more is read: the reader goes

private:
    void readSome(qsizetype rows, const QElapsedTimer *turn);
    void turn();

    Connection &connection_;
    std::unique_ptr<RowReader> reader_;
    Owner owner_;
    QTimer turns_;
    qint64 turn_ = firstTurn; // the length of the next turn
    static inline int givingWay_ = 0;
};

} // namespace db::detail
