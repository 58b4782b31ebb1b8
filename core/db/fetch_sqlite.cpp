// Rows of an SQLite select, read cell by cell from the C interface into the typed columns.
#include "db/fetch.h"
#include "db/statement.h"
#include <QRegularExpression>
#include <cmath>
#include <memory>
#include <sqlite3.h>

namespace db::detail {

using namespace Qt::StringLiterals;

namespace {

// The field type a declared column type names ("nvarchar(100)", "money", "integer", ...), by the same
// substrings SQLite uses for its affinities; false when nothing is declared (an expression).
bool typeOfDeclared(const QString &declared, FieldDef &def)
{
    const QString type = declared.toLower();
    if (type.isEmpty())
        return false;
    const auto has = [&type](const char *part) { return type.contains(QLatin1StringView(part)); };
    if (has("money"))
        def.type = FieldType::Money;
    else if (has("bit") || has("bool"))
        def.type = FieldType::Boolean;
    else if (has("bigint"))
        def.type = FieldType::BigInt;
    else if (has("int"))
        def.type = FieldType::Integer;
    else if (has("char") || has("clob") || has("text"))
        def.type = has("nchar") || has("nvarchar") || has("ntext") ? FieldType::WideText : FieldType::Text;
    else if (has("blob") || has("image") || has("binary"))
        def.type = FieldType::Blob;
    else if (has("real") || has("floa") || has("doub"))
        def.type = FieldType::Float;
    else if (has("dec") || has("numeric"))
        def.type = FieldType::Bcd;
    else if (has("date") || has("time"))
        def.type = FieldType::DateTime;
    else
        return false;
    static const QRegularExpression size(u"\\(\\s*(\\d+)"_s);
    const QRegularExpressionMatch match = size.match(type);
    if (match.hasMatch() && (def.type == FieldType::WideText || def.type == FieldType::Text))
        def.size = match.captured(1).toInt();
    return true;
}

class SqliteSource final : public RowSource {
public:
    SqliteSource(sqlite3 *db, const QString &sql, const QVariantList &values)
        : statement_(db, sql, values), row_(statement_.handle())
    {
    }
    // On a reader's own handle, which it keeps open.
    SqliteSource(std::shared_ptr<sqlite3> reader, const QString &sql, const QVariantList &values)
        : reader_(std::move(reader)), statement_(reader_.get(), sql, values),
          row_(statement_.handle())
    {
    }

    int columnCount() const override { return sqlite3_column_count(row_); }
    QString columnName(int column) const override { return QString::fromUtf8(sqlite3_column_name(row_, column)); }

    FieldDef describe(int column, Storage &storage) const override
    {
        FieldDef def{columnName(column), FieldType::WideText, 0};
        const bool known = typeOfDeclared(QString::fromUtf8(sqlite3_column_decltype(row_, column)), def);
        storage = known ? storageOf(def.type) : Storage::Variant;
        return def;
    }

    bool next() override { return statement_.step(); }

    void read(int column, Column &target) override { keepCell(target, cell(column, target.storage)); }

    qsizetype copy(CopiedRows &batch, const std::vector<int> &from, const std::vector<Storage> &storages,
                   qsizetype rows) override
    {
        for (qsizetype row = 0; row < rows; ++row) {
            if (!statement_.step())
                return row;
            for (size_t i = 0; i < from.size(); ++i)
                batch.add(from[i] < 0 ? RawCell() : cell(from[i], storages[i]));
            batch.endRow();
        }
        return rows;
    }

    // A text column takes any cell as text (the engine writes a number as its text); a bytes column takes its
    // bytes; the others take the cell as it is typed.
    RawCell cell(int column, Storage target) const
    {
        RawCell cell;
        if (target == Storage::Text) {
            if (const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(row_, column))) {
                cell.kind = RawCell::Kind::Text;
                cell.bytes = text;
                cell.size = sqlite3_column_bytes(row_, column);
            }
            return cell;
        }
        const int type = sqlite3_column_type(row_, column);
        switch (type) {
        case SQLITE_NULL: break;
        case SQLITE_INTEGER:
            if (target != Storage::Bytes) {
                cell.kind = RawCell::Kind::Integer;
                cell.integer = sqlite3_column_int64(row_, column);
                break;
            }
            [[fallthrough]];
        case SQLITE_FLOAT:
            if (target != Storage::Bytes && type == SQLITE_FLOAT) {
                cell.kind = RawCell::Kind::Real;
                cell.real = sqlite3_column_double(row_, column);
                break;
            }
            [[fallthrough]];
        default:
            cell.kind = type == SQLITE_TEXT ? RawCell::Kind::Text : RawCell::Kind::Blob;
            cell.bytes = static_cast<const char *>(sqlite3_column_blob(row_, column));
            cell.size = sqlite3_column_bytes(row_, column);
        }
        return cell;
    }

private:
    std::shared_ptr<sqlite3> reader_; // declared first: it outlives the statement
    SqliteStatement statement_;
    sqlite3_stmt *row_;
};

} // namespace

std::unique_ptr<RowSource> sqliteReaderSource(Connection &connection, const QString &sql, const QVariantList &values)
{
    const QByteArray file = sqliteReaderFile(connection);
    if (file.isEmpty() || connection.readersHoldWrites())
        return nullptr;
    std::shared_ptr<sqlite3> reader = openSqliteReader(file, connection.timeouts().busyMilliseconds);
    if (!reader)
        return nullptr;
    return std::make_unique<SqliteSource>(std::move(reader), sql, values);
}

std::unique_ptr<RowSource> sqliteSource(Connection &connection, const QString &sql, const QVariantList &values)
{
    return std::make_unique<SqliteSource>(sqliteHandle(connection), sql, values);
}

} // namespace db::detail
