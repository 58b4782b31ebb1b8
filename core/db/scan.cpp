#include "db/scan.h"
#include "db/read_in_turns.h"
#include "db/statement.h"
#include <QSet>

namespace db {

struct DistinctTexts::Private {
    DistinctTexts *q;
    std::function<void(const QVector<QStringList> &)> done;
    detail::ResultSet slice;
    std::unique_ptr<detail::ReadInTurns> reading;
    QVector<QSet<QByteArray>> seen;
    QVector<QStringList> texts;

    // The texts of the slice read; after the last row they are handed over.
    void arrived(bool more)
    {
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
                const QByteArray utf8 = text ? column.textCells().utf8(row) : column.text(row).toUtf8();
                if (!seen[qsizetype(c)].contains(utf8)) {
                    seen[qsizetype(c)].insert(utf8);
                    texts[qsizetype(c)] << QString::fromUtf8(utf8);
                }
            }
        }
        if (more) {
            slice = reading->emptyRows();
            return;
        }
        seen.clear();
        if (done)
            std::exchange(done, nullptr)(texts);
    }

    // Given up (a failure, or its connection closed): it hands nothing over, and goes, so that a later opening
    // reads again.
    void goes()
    {
        done = nullptr;
        q->deleteLater();
    }
};

DistinctTexts::DistinctTexts(Connection &connection, const QString &sql,
                             std::function<void(const QVector<QStringList> &)> done, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->q = this;
    d->done = std::move(done);
    std::unique_ptr<detail::RowSource> source = detail::sliceSource(connection, sql, {});
    const bool inTurns = source != nullptr;
    if (!source)
        source = detail::sqliteSource(connection, sql, {});
    auto reader = std::make_unique<detail::RowReader>(std::move(source), QVector<FieldDef>(), objectName());
    d->slice = reader->columns();
    d->seen.resize(qsizetype(d->slice.columns.size()));
    d->texts.resize(qsizetype(d->slice.columns.size()));
    detail::ReadInTurns::Owner owner;
    owner.rows = &d->slice;
    owner.arrived = [this](qsizetype, qsizetype, bool more) { d->arrived(more); };
    owner.failed = [this] { d->goes(); };
    owner.givenUp = [this] { d->goes(); };
    d->reading = std::make_unique<detail::ReadInTurns>(connection, std::move(reader), std::move(owner));
    // A small table is read at once, as is one on the connection's own handle; a large one goes on between the
    // user's events.
    if (!inTurns) {
        d->reading->finish();
        return;
    }
    d->reading->read(1000);
    d->reading->start();
}

DistinctTexts::~DistinctTexts() = default;

void DistinctTexts::finish()
{
    d->reading->finish();
}

bool DistinctTexts::finished() const
{
    return !d->reading->reading();
}

} // namespace db
