// Rows of a select on SQL Server (ODBC), read forward-only through QSqlQuery.
#include "db/fetch.h"
#include "db/statement.h"
#include <QSqlField>
#include <QSqlRecord>

namespace db::detail {

namespace {

class OdbcSource final : public RowSource {
public:
    OdbcSource(Connection &connection, const QString &sql, const QVariantList &values)
        : connection_(connection), query_(runOdbc(connection, sql, values)), record_(query_.record())
    {
    }

    int columnCount() const override { return int(record_.count()); }
    QString columnName(int column) const override { return record_.fieldName(column); }

    FieldDef describe(int column, Storage &storage) const override
    {
        const QSqlField field = record_.field(column);
        FieldDef def{field.name(), FieldType::WideText, 0};
        switch (field.metaType().id()) {
        case QMetaType::QString: def.size = int(field.length()); break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::UChar: def.type = FieldType::Integer; break;
        case QMetaType::LongLong:
        case QMetaType::ULongLong: def.type = FieldType::BigInt; break;
        // money is a decimal of 19 digits (smallmoney 10) with 4 after the point.
        case QMetaType::Double:
            def.type = field.precision() == 4 && (field.length() == 19 || field.length() == 10) ? FieldType::Money
                                                                                                : FieldType::Float;
            break;
        case QMetaType::Bool: def.type = FieldType::Boolean; break;
        case QMetaType::QByteArray: def.type = FieldType::Blob; break;
        case QMetaType::QDateTime:
        case QMetaType::QDate:
        case QMetaType::QTime: def.type = FieldType::DateTime; break;
        default: storage = Storage::Variant; return def;
        }
        storage = storageOf(def.type);
        return def;
    }

    bool next() override { return nextOdbcRow(connection_, query_); }

    void read(int column, Column &target) override
    {
        const QVariant value = query_.value(column);
        if (target.storage == Storage::Variant)
            target.append(value.isNull() ? QVariant() : value);
        else
            target.appendConverted(value);
    }

private:
    Connection &connection_;
    QSqlQuery query_;
    QSqlRecord record_;
};

} // namespace

std::unique_ptr<RowSource> odbcSource(Connection &connection, const QString &sql, const QVariantList &values)
{
    return std::make_unique<OdbcSource>(connection, sql, values);
}

} // namespace db::detail
