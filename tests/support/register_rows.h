#pragma once
// Rows stored straight into a table for the tests of the registers, and what the tests read back.
#include <QVariantMap>

class QWidget;
class TestEnv;
namespace db {
class Query;
}

// Inserts one row with the given columns (the others stay null) and returns its id.
qint64 addRow(TestEnv &env, const QString &table, const QVariantMap &columns);
// The number of rows of a table.
int rowCount(TestEnv &env, const QString &table);
// One filter of a list page alone (searchWithFilter), switched off again after: "the indexes of the seeded rows
// listed|the texts of the controls named in `shown`" (by default the page's count).
QString filterAlone(QWidget *page, db::Query &list, const QList<qint64> &seeded, const QString &box,
                    const QStringList &controls, const QStringList &texts,
                    const QStringList &shown = {QStringLiteral("cnt")});
