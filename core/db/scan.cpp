#include "db/scan.h"
#include "db/fetch.h"
#include "db/turns.h"
#include <QSet>
#include <limits>

namespace db {

struct DistinctTexts::Private {
    DistinctTexts *q;
    Connection &connection;
    std::unique_ptr<detail::RowReader> reader;
    std::function<void(const QVector<QStringList> &)> done;
    QVector<QSet<QByteArray>> seen;
    QVector<QStringList> texts;
    detail::Turns turns{q, [this](const QElapsedTimer &began) { return turn(began); }};

    Private(DistinctTexts *q, Connection &connection) : q(q), connection(connection) {}

    // A turn of reading between the user's events; a failure ends the pass, which then goes.
    bool turn(const QElapsedTimer &began)
    {
        try {
            while (reader && !detail::Turns::over(began))
                read(512);
        } catch (...) {
            connection.removePendingRead(q);
            reader.reset();
            q->deleteLater();
            throw;
        }
        return reader != nullptr;
    }

    // Reads up to `rows` rows; after the last one the texts are handed over.
    void read(qsizetype rows)
    {
        detail::ResultSet slice = reader->columns();
        const bool more = reader->read(slice, rows);
        for (size_t c = 0; c < slice.columns.size(); ++c) {
            const detail::Column &column = slice.columns[c];
            // Cells of the slice that share their stored bytes are looked at once.
            QSet<quint64> looked;
            for (qsizetype row = 0; row < slice.rows; ++row) {
                const bool text = column.storage == detail::Storage::Text;
                if (text) {
                    const quint64 place = column.textCells().identity(row);
                    if (looked.contains(place))
                        continue;
                    looked.insert(place);
                }
                const QByteArray utf8 = text ? column.textCells().bytes(row).toByteArray() : column.text(row).toUtf8();
                if (!seen[qsizetype(c)].contains(utf8)) {
                    seen[qsizetype(c)].insert(utf8);
                    texts[qsizetype(c)] << QString::fromUtf8(utf8);
                }
            }
        }
        if (!more)
            end();
    }

    void end()
    {
        turns.stop();
        connection.removePendingRead(q);
        reader.reset();
        seen.clear();
        if (done)
            std::exchange(done, nullptr)(texts);
    }
};

DistinctTexts::DistinctTexts(Connection &connection, const QString &sql,
                             std::function<void(const QVector<QStringList> &)> done, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(this, connection))
{
    d->done = std::move(done);
    std::unique_ptr<detail::RowSource> source = detail::sliceSource(connection, sql, {});
    const bool sliced = source != nullptr;
    if (!source)
        source = detail::sqliteSource(connection, sql, {});
    d->reader = std::make_unique<detail::RowReader>(std::move(source), QVector<FieldDef>(), objectName());
    const int columns = int(d->reader->columns().columns.size());
    d->seen.resize(columns);
    d->texts.resize(columns);
    if (!sliced) {
        finish();
        return;
    }
    // A small table is read at once; a large one goes on between the user's events.
    d->read(1000);
    if (!d->reader)
        return;
    Connection::PendingRead pending;
    pending.onChannel = connection.engine() != Engine::SQLite;
    pending.readRest = [this] { finish(); };
    // Given up with its connection: it hands nothing over, and goes, so that a later opening reads again.
    pending.giveUp = [this] {
        d->turns.stop();
        d->reader.reset();
        d->done = nullptr;
        deleteLater();
    };
    connection.addPendingRead(this, std::move(pending));
    d->turns.start();
}

DistinctTexts::~DistinctTexts()
{
    d->connection.removePendingRead(this);
}

void DistinctTexts::finish()
{
    if (d->reader)
        d->read(std::numeric_limits<qsizetype>::max());
}

bool DistinctTexts::finished() const
{
    return !d->reader;
}

} // namespace db
