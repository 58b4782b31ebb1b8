#pragma once
// Rows stored straight into a table for the page tests, and the texts typed into a form's fields.
#include <QHash>
#include <QVariantMap>

class QWidget;
class TestEnv;
namespace db {
class Query;
}

// Inserts one row with the given columns (the others stay null) and returns its id.
qint64 addRow(TestEnv &env, const QString &table, const QVariantMap &columns);

// Every row the select returns, its columns as text joined by "|" (a null as "null").
QStringList rowTexts(const QString &select, const QVariantList &values = {});

// The ids of a list's rows, in the list's order.
QList<qint64> idsOf(const db::Query &list);

// Shows each text in the form's field of that name (ui::setControlText).
void setFieldTexts(QWidget *form, const QHash<QString, QString> &texts);
