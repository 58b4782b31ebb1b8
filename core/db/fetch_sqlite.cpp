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

    void read(int column, Column &target) override
    {
        // Text, the most common cell, needs no type: its pointer is null for a null.
        if (target.storage == Storage::Text) {
            if (const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(row_, column)))
                target.appendText(text, sqlite3_column_bytes(row_, column));
            else
                target.appendNull();
            return;
        }
        const int type = sqlite3_column_type(row_, column);
        if (type == SQLITE_NULL) {
            target.appendNull();
            return;
        }
        switch (target.storage) {
        case Storage::Text: break;
        case Storage::Integer:
            if (type == SQLITE_INTEGER) {
                const qint64 value = sqlite3_column_int64(row_, column);
                target.appendInteger(target.def.type == FieldType::Boolean ? qint64(value != 0) : value);
                return;
            }
            if (type == SQLITE_FLOAT) {
                target.append(normalise(sqlite3_column_double(row_, column), target.def.type));
                return;
            }
            break;
        case Storage::Real:
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
                target.appendReal(sqlite3_column_double(row_, column));
                return;
            }
            break;
        case Storage::Bytes:
            target.appendBytes(bytes(column));
            return;
        case Storage::Variant:
            switch (type) {
            case SQLITE_INTEGER: target.append(QVariant(qint64(sqlite3_column_int64(row_, column)))); return;
            case SQLITE_FLOAT: target.append(QVariant(sqlite3_column_double(row_, column))); return;
            case SQLITE_BLOB: target.append(QVariant(bytes(column))); return;
            default: target.append(QVariant(QString::fromUtf8(bytes(column)))); return;
            }
        }
        // Text in a number column: a driver's decimal text ("1250000.0000") is read as its number.
        target.appendConverted(QString::fromUtf8(bytes(column)));
    }

private:
    QByteArray bytes(int column) const
    {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(row_, column));
        const int size = sqlite3_column_bytes(row_, column);
        return size ? QByteArray(data, size) : QByteArray("", 0);
    }

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
