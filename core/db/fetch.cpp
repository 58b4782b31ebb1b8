#include "db/fetch.h"
#include "db/statement.h"
#include <algorithm>
#include <array>
#include <limits>
#include <thread>

namespace db::detail {

using namespace Qt::StringLiterals;

RowReader::RowReader(std::unique_ptr<RowSource> source, const QVector<FieldDef> &declared, const QString &queryName)
    : source_(std::move(source))
{
    if (declared.isEmpty()) {
        for (int i = 0; i < source_->columnCount(); ++i) {
            Storage storage = Storage::Variant;
            const FieldDef def = source_->describe(i, storage);
            shape_.emplace_back(def, storage);
            from_.push_back(i);
        }
    } else {
        for (const FieldDef &def : declared) {
            int column = -1;
            for (int i = 0; i < source_->columnCount() && column < 0 && !def.calculated; ++i) {
                if (source_->columnName(i).compare(def.name, Qt::CaseInsensitive) == 0)
                    column = i;
            }
            if (column < 0 && !def.calculated)
                throw Error(queryName + u": Field '"_s + def.name + u"' not found"_s);
            shape_.emplace_back(def, storageOf(def.type));
            from_.push_back(column);
        }
    }
    for (const Column &column : shape_)
        typed_.push_back(column.storage != Storage::Variant);
}

ResultSet RowReader::columns() const
{
    ResultSet result;
    for (const Column &column : shape_)
        result.columns.emplace_back(column.def, column.storage);
    return result;
}

namespace {

// A batch of rows copied while the one before is kept: smaller within a turn, so the turn ends in time.
constexpr qsizetype batchRows = 8192;
constexpr qsizetype batchRowsInATurn = 2048;

// Whether a thread of its own keeps copied rows beside the one copying them (keeping a batch takes less than
// copying it): not on a single processor.
bool keepingAlongside()
{
    static const bool alongside = std::thread::hardware_concurrency() > 1;
    return alongside;
}

} // namespace

bool RowReader::read(ResultSet &result, qsizetype rows, const std::function<bool()> &timeUp)
{
    const qsizetype first = result.rows;
    const qsizetype batch = timeUp ? batchRowsInATurn : batchRows;
    if (rows < 2 * batch || !keepingAlongside() || !readAlongside(result, rows, batch, timeUp))
        readHere(result, rows, timeUp);
    const auto count = result.columns.size();
    // A column the driver could not describe takes the type of its first value.
    for (size_t i = 0; i < count; ++i) {
        Column &column = result.columns[i];
        for (qsizetype row = first; !typed_[i] && row < result.rows; ++row) {
            const QVariant value = column.value(row);
            if (!value.isValid())
                continue;
            switch (value.typeId()) {
            case QMetaType::LongLong: column.def.type = FieldType::BigInt; break;
            case QMetaType::Double: column.def.type = FieldType::Float; break;
            case QMetaType::QByteArray: column.def.type = FieldType::Blob; break;
            default: column.def.type = FieldType::WideText; break;
            }
            typed_[i] = true;
        }
        if (atEnd_)
            column.finish();
    }
    return !atEnd_;
}

void RowReader::readHere(ResultSet &result, qsizetype rows, const std::function<bool()> &timeUp)
{
    const auto count = result.columns.size();
    for (qsizetype read = 0; read < rows && !atEnd_ && !(timeUp && read % 256 == 255 && timeUp()); ++read) {
        if (!source_->next()) {
            atEnd_ = true;
            break;
        }
        for (size_t i = 0; i < count; ++i) {
            if (from_[i] < 0)
                result.columns[i].appendNull();
            else
                source_->read(from_[i], result.columns[i]);
        }
        ++result.rows;
    }
}

// Many rows: this thread copies each batch from the source while another keeps the batch before in its columns.
// False where the source can't copy its rows.
bool RowReader::readAlongside(ResultSet &result, qsizetype rows, qsizetype batchRows,
                              const std::function<bool()> &timeUp)
{
    const int count = int(result.columns.size());
    std::vector<Storage> storages;
    for (const Column &column : result.columns)
        storages.push_back(column.storage);
    qsizetype left = rows;
    const auto copy = [&](CopiedRows &batch) {
        batch.clear();
        const qsizetype wanted = std::min(left, batchRows);
        const qsizetype copied = wanted > 0 ? source_->copy(batch, from_, storages, wanted) : 0;
        atEnd_ = atEnd_ || (copied >= 0 && copied < wanted);
        left -= std::max<qsizetype>(copied, 0);
        return copied >= 0;
    };
    std::array<CopiedRows, 2> batches;
    if (!copy(batches[0]))
        return false;
    for (size_t current = 0; batches[current].rows() > 0; current = 1 - current) {
        const CopiedRows &kept = batches[current];
        std::exception_ptr failure;
        std::thread keeper([&] {
            // The cells are read forward, as they were copied.
            try {
                CopiedRows::Cells cells(kept);
                for (qsizetype row = 0; row < kept.rows(); ++row)
                    for (int i = 0; i < count; ++i)
                        keepCell(result.columns[size_t(i)], cells.next());
            } catch (...) {
                failure = std::current_exception();
            }
        });
        std::exception_ptr copyFailure;
        try {
            if (atEnd_ || (timeUp && timeUp()))
                batches[1 - current].clear();
            else
                copy(batches[1 - current]);
        } catch (...) {
            copyFailure = std::current_exception();
        }
        keeper.join();
        for (const std::exception_ptr &failed : {failure, copyFailure})
            if (failed)
                std::rethrow_exception(failed);
        result.rows += kept.rows();
    }
    return true;
}

std::unique_ptr<RowSource> sliceSource(Connection &connection, const QString &sql, const QVariantList &values)
{
    if (connection.engine() == Engine::SQLite)
        return sqliteReaderSource(connection, sql, values);
    std::unique_ptr<RowSource> source = odbcSource(connection, sql, values);
    if (source->columnCount() == 0)
        throw Error(u"The statement returns no rows"_s);
    return source;
}

ResultSet fetch(Connection &connection, const QString &sql, const QVariantList &values,
                const QVector<FieldDef> &declared, const QString &queryName)
{
    std::unique_ptr<RowSource> source = sqliteHandle(connection) ? sqliteSource(connection, sql, values)
                                                                 : odbcSource(connection, sql, values);
    if (source->columnCount() == 0)
        throw Error(queryName + u": the statement returns no rows"_s);
    RowReader reader(std::move(source), declared, queryName);
    ResultSet result = reader.columns();
    try {
        reader.read(result, std::numeric_limits<qsizetype>::max());
    } catch (const std::exception &failure) {
        throw readFailure(failure);
    }
    return result;
}

Error readFailure(const std::exception &failure)
{
    const auto *error = dynamic_cast<const Error *>(&failure);
    const QString reason = error ? error->text() : QString::fromUtf8(failure.what());
    return Error(message::readFailed + u'\n' + reason, error ? error->kind() : Error::Kind::Database);
}

} // namespace db::detail
