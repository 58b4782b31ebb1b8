#pragma once
// Rows stored straight into a table for the tests of the registers, and what the tests read back.
#include <QVariantMap>

class TestEnv;

// Inserts one row with the given columns (the others stay null) and returns its id.
qint64 addRow(TestEnv &env, const QString &table, const QVariantMap &columns);
// The number of rows of a table.
int rowCount(TestEnv &env, const QString &table);
