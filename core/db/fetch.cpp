#include "db/fetch.h"
#include "db/statement.h"

namespace db::detail {

using namespace Qt::StringLiterals;

ResultSet readAll(RowSource &source, const QVector<FieldDef> &declared, const QString &queryName)
{
    ResultSet result;
    std::vector<int> from; // source column of each exposed field; -1 for calculated ones
    if (declared.isEmpty()) {
        for (int i = 0; i < source.columnCount(); ++i) {
            Storage storage = Storage::Variant;
            const FieldDef def = source.describe(i, storage);
            result.columns.emplace_back(def, storage);
            from.push_back(i);
        }
    } else {
        for (const FieldDef &def : declared) {
            int column = -1;
            for (int i = 0; i < source.columnCount() && column < 0 && !def.calculated; ++i) {
                if (source.columnName(i).compare(def.name, Qt::CaseInsensitive) == 0)
                    column = i;
            }
            if (column < 0 && !def.calculated)
                throw Error(queryName + u": Field '"_s + def.name + u"' not found"_s);
            result.columns.emplace_back(def, storageOf(def.type));
            from.push_back(column);
        }
    }
    const auto count = result.columns.size();
    while (source.next()) {
        for (size_t i = 0; i < count; ++i) {
            if (from[i] < 0)
                result.columns[i].appendNull();
            else
                source.read(from[i], result.columns[i]);
        }
        ++result.rows;
    }
    // A column the driver could not describe takes the type of its first value.
    for (Column &column : result.columns) {
        column.finish();
        if (column.storage != Storage::Variant)
            continue;
        for (qsizetype row = 0; row < result.rows; ++row) {
            const QVariant value = column.value(row);
            if (!value.isValid())
                continue;
            switch (value.typeId()) {
            case QMetaType::LongLong: column.def.type = FieldType::BigInt; break;
            case QMetaType::Double: column.def.type = FieldType::Float; break;
            case QMetaType::QByteArray: column.def.type = FieldType::Blob; break;
            default: column.def.type = FieldType::WideText; break;
            }
            break;
        }
    }
    return result;
}

ResultSet fetch(Connection &connection, const QString &sql, const QVariantList &values,
                const QVector<FieldDef> &declared, const QString &queryName)
{
    std::unique_ptr<RowSource> source = sqliteHandle(connection) ? sqliteSource(connection, sql, values)
                                                                 : odbcSource(connection, sql, values);
    if (source->columnCount() == 0)
        throw Error(queryName + u": the statement returns no rows"_s);
    return readAll(*source, declared, queryName);
}

} // namespace db::detail
