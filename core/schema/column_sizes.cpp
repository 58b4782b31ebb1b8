#include "schema/column_sizes.h"
#include "schema/schema.h"

int schemaColumnSize(const QString &table, const QString &column)
{
    int size = 0;
    for (const schema::Step &step : schema::steps()) {
        // An index names columns without declaring them.
        if (step.action == schema::Action::CreateIndex || step.table.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        for (const db::ColumnDef &def : step.columns)
            if (def.name.compare(column, Qt::CaseInsensitive) == 0)
                size = def.size;
    }
    return size;
}
