#pragma once
// Reading a select's rows into columns. A source yields the driver's columns and rows; readAll() maps them
// onto the fields the query exposes (its declared fields, or every column of the result).
#include "db/column.h"
#include "db/copied_rows.h"
#include <functional>
#include <memory>
#include <vector>

namespace db::detail {

struct ResultSet {
    std::vector<Column> columns;
    qsizetype rows = 0;
};

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // The field the driver describes for the column; storage Variant when it cannot say.
    virtual FieldDef describe(int column, Storage &storage) const = 0;
    virtual bool next() = 0;
    // Appends the current row's value of the source column to the target, converted to its storage.
    virtual void read(int column, Column &target) = 0;
    // Copies up to `rows` rows, each the cells of these source columns (-1: a null) as the engine gives them for
    // these storages, for other threads to keep; the rows copied (fewer at the end of the rows), or -1 where the
    // source can't.
    virtual qsizetype copy(CopiedRows &, const std::vector<int> &, const std::vector<Storage> &, qsizetype) { return -1; }
};

// Maps a source's rows onto the fields the query exposes (its declared fields, or every column of the result),
// a slice at a time: the first rows can be shown while the rest are still to be read.
class RowReader {
public:
    RowReader(std::unique_ptr<RowSource> source, const QVector<FieldDef> &declared, const QString &queryName);

    // The columns to read into: an empty result of the exposed fields. The reader appends to it.
    ResultSet columns() const;
    // Reads up to `rows` more rows into the result, or fewer once timeUp() says so; false once the source has
    // none left.
    bool read(ResultSet &result, qsizetype rows, const std::function<bool()> &timeUp = {});
    bool atEnd() const { return atEnd_; }

private:
    void readHere(ResultSet &result, qsizetype rows, const std::function<bool()> &timeUp);
    bool readAlongside(ResultSet &result, qsizetype rows, qsizetype batchRows, const std::function<bool()> &timeUp);
    std::unique_ptr<RowSource> source_;
    std::vector<Column> shape_;
    std::vector<int> from_;
    std::vector<bool> typed_; // a column the driver could not describe has taken the type of its first value
    bool atEnd_ = false;
};

std::unique_ptr<RowSource> sqliteSource(Connection &connection, const QString &sql, const QVariantList &values);
// The same select read on a handle of its own, opened read-only on the connection's file: its rows can be
// read a slice at a time without holding the connection, which writes meanwhile, and the rows are those of
// the moment it started. nullptr when the connection has no file of its own (a database in memory), is
// inside a transaction (whose own writes only the connection sees), or keeps no write-ahead log (a reader left
// open would then hold its writes back).
std::unique_ptr<RowSource> sqliteReaderSource(Connection &connection, const QString &sql, const QVariantList &values);
std::unique_ptr<RowSource> odbcSource(Connection &connection, const QString &sql, const QVariantList &values);

// A select whose rows will be read a slice at a time: SQLite on a reader of its own (nullptr inside a
// transaction or without a file: read it whole), ODBC on the connection, which must read the rest before it
// runs anything else (Connection::addPendingRead).
std::unique_ptr<RowSource> sliceSource(Connection &connection, const QString &sql, const QVariantList &values);

// The failure of a read part-way, as it is told: a Persian first line, the driver's reason after it.
Error readFailure(const std::exception &failure);

// Every row of the select at once, on the connection.
ResultSet fetch(Connection &connection, const QString &sql, const QVariantList &values,
                const QVector<FieldDef> &declared, const QString &queryName);

} // namespace db::detail
