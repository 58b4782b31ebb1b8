#include "db/aggregate.h"
#include "db/conversions.h"
#include "db/feedback.h"
#include "db/statement.h"
#include <QScopeGuard>
#include <QSqlRecord>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <sqlite3.h>
#include <thread>
#include <vector>

namespace db::detail {

using namespace Qt::StringLiterals;

struct Aggregate::Run {
    // Set before the thread starts.
    QString sql;
    QVariantList values;
    QByteArray file;          // SQLite
    QString connectionString; // SQL Server
    Timeouts timeouts;

    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool givenUp = false;
    QVariantList row;
    std::optional<Error> failure;
    sqlite3 *sqlite = nullptr;     // while it runs there: interrupted when given up
    void *odbcStatement = nullptr; // likewise, cancelled
    std::function<void()> post;    // tells the owner's thread of the answer, while it wants it

    // What runs now, published for a give-up from the other thread; nothing more starts once given up.
    template <typename Handle>
    void running(Handle *&slot, Handle *handle)
    {
        const std::lock_guard lock(mutex);
        if (givenUp && handle)
            throw Error(u"given up"_s);
        slot = handle;
    }

    void giveUp()
    {
        const std::lock_guard lock(mutex);
        givenUp = true;
        post = nullptr;
        if (sqlite)
            sqlite3_interrupt(sqlite);
        if (odbcStatement)
            cancelOdbcStatement(odbcStatement);
    }
};

namespace {

// A function run with the handle published while it runs.
template <typename Handle, typename Work>
QVariantList publishing(Aggregate::Run &run, Handle *&slot, Handle *handle, Work work)
{
    run.running(slot, handle);
    try {
        QVariantList row = work();
        run.running<Handle>(slot, nullptr);
        return row;
    } catch (...) {
        run.running<Handle>(slot, nullptr);
        throw;
    }
}

QVariantList onSqliteReader(Aggregate::Run &run)
{
    const std::shared_ptr<sqlite3> reader = openSqliteReader(run.file, run.timeouts.busyMilliseconds);
    if (!reader)
        throw Error(u"The database file can't be opened to count the list"_s);
    return publishing(run, run.sqlite, reader.get(), [&] { return firstRow(reader.get(), run.sql, run.values); });
}

QVariantList onOwnOdbcConnection(Aggregate::Run &run)
{
    Connection own(u"totals"_s);
    own.setConnectionString(run.connectionString);
    own.setTimeouts(run.timeouts);
    own.open();
    // The statement's handle is published from its prepare to the end of its reading.
    std::optional<QSqlQuery> query;
    const auto unpublished = qScopeGuard([&run] { run.running<void>(run.odbcStatement, nullptr); });
    query.emplace(runOdbc(own, run.sql, run.values, [&run](void *statement) {
        run.running(run.odbcStatement, statement);
    }));
    QVariantList row;
    if (nextOdbcRow(own, *query))
        for (int column = 0; column < query->record().count(); ++column)
            row << (query->isNull(column) ? QVariant() : query->value(column));
    return row;
}

void work(const std::shared_ptr<Aggregate::Run> &run)
{
    QVariantList row;
    std::optional<Error> failure;
    try {
        row = run->file.isEmpty() ? onOwnOdbcConnection(*run) : onSqliteReader(*run);
    } catch (const Error &error) {
        failure = error;
    } catch (const std::exception &error) {
        failure = Error(QString::fromUtf8(error.what()));
    }
    const std::lock_guard lock(run->mutex);
    run->row = row;
    run->failure = failure;
    run->finished = true;
    run->done.notify_all();
    if (run->post)
        run->post();
}

// The threads of aggregates, joined once they end (an aggregate given up never makes its owner wait), and all
// of them before the program ends.
class Threads {
public:
    ~Threads()
    {
        for (auto &[run, thread] : threads_)
            thread.join();
    }
    void add(std::shared_ptr<Aggregate::Run> run, std::thread thread)
    {
        const std::lock_guard lock(mutex_);
        std::erase_if(threads_, [](auto &entry) {
            const std::lock_guard finished(entry.first->mutex);
            if (!entry.first->finished)
                return false;
            entry.second.join();
            return true;
        });
        threads_.emplace_back(std::move(run), std::move(thread));
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<std::shared_ptr<Aggregate::Run>, std::thread>> threads_;
};

Threads &threads()
{
    static Threads all;
    return all;
}

// A sum in whole rials, exact: a fraction (of amounts stored with one, or a driver's "3896.5000") is dropped, as the
// total labels have always shown it.
qint64 wholeRials(const QVariant &sum)
{
    if (sum.typeId() == QMetaType::Double)
        return qint64(std::trunc(sum.toDouble()));
    QString text = sum.toString().trimmed();
    if (const qsizetype point = text.indexOf(u'.'); point >= 0)
        text.truncate(point);
    bool whole = false;
    const qint64 rials = text.toLongLong(&whole);
    if (!whole && !text.isEmpty() && text != u"-"_s)
        throw Error(u"The total \""_s + sum.toString() + u"\" is no amount"_s);
    return rials;
}

} // namespace

QString totalsStatement(const Dialect &dialect, const QString &statement, const QStringList &fields)
{
    QString sql = u"select count(*)"_s;
    for (const QString &field : fields)
        sql += u", sum("_s + dialect.quoteIdentifier(field) + u')';
    // The statement's last line may end in a comment: the closing parenthesis goes on a line of its own.
    return sql + u" from ("_s + statement + u"\n) listed"_s;
}

Aggregate::Aggregate(Connection &connection, const QString &sql, const QVariantList &values,
                     std::function<void(const Totals &)> answered, std::function<void(const Error &)> failed)
    : run_(std::make_shared<Run>()), onAnswer_(std::move(answered)), onFailure_(std::move(failed))
{
    run_->sql = sql;
    run_->values = values;
    run_->timeouts = connection.timeouts();
    if (connection.engine() == Engine::SQLite) {
        run_->file = sqliteReaderFile(connection);
        if (run_->file.isEmpty()) {
            // Only the connection sees its transaction's writes, or a database in memory.
            try {
                run_->row = firstRow(connection, sql, values);
            } catch (const Error &error) {
                run_->failure = error;
            }
            run_->finished = true;
            QMetaObject::invokeMethod(&mailbox_, [this] { deliver(false); }, Qt::QueuedConnection);
            return;
        }
    } else {
        run_->connectionString = connection.connectionString();
    }
    run_->post = [this] { QMetaObject::invokeMethod(&mailbox_, [this] { deliver(false); }, Qt::QueuedConnection); };
    threads().add(run_, std::thread(work, run_));
}

Aggregate::~Aggregate()
{
    run_->giveUp();
}

void Aggregate::wait()
{
    if (answered_)
        return;
    {
        const feedback::Waiting waiting;
        std::unique_lock lock(run_->mutex);
        run_->done.wait(lock, [this] { return run_->finished; });
    }
    deliver(true);
}

// The answer, once: to the callbacks, or (while a command waits) a failure thrown. Nothing of this is touched
// after a callback: it may give the aggregate up.
void Aggregate::deliver(bool throwing)
{
    if (answered_)
        return;
    answered_ = true;
    givingWay_.reset();
    std::optional<Error> failure;
    Totals totals;
    {
        const std::lock_guard lock(run_->mutex);
        failure = run_->failure;
        if (!failure) {
            try {
                totals.count = toInteger(run_->row.value(0));
                for (qsizetype i = 1; i < run_->row.size(); ++i)
                    totals.sums << (run_->row.at(i).isValid() ? std::optional(wholeRials(run_->row.at(i)))
                                                              : std::nullopt);
            } catch (const Error &error) {
                failure = error;
            }
        }
    }
    if (failure && throwing)
        throw *failure;
    // The callbacks are taken out first: either may give this aggregate up.
    const auto answer = std::exchange(onAnswer_, nullptr);
    const auto fail = std::exchange(onFailure_, nullptr);
    if (failure)
        fail(*failure);
    else
        answer(totals);
}

} // namespace db::detail
