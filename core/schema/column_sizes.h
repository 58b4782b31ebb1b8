#pragma once
// The characters a text column holds as the schema routine creates it, for the fields that must not take
// more than their column (a longer text is refused by SQL Server and kept whole by SQLite).
#include <QString>

// The size the last schema step declaring table.column gives it; 0 for a column of no declared size.
int schemaColumnSize(const QString &table, const QString &column);
