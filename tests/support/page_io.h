#pragma once
// What the page tests read back (rows, ids, workbook captions) and what they type into forms and filters.
#include "register_rows.h"
#include <QHash>
#include <QVariantMap>

class QWidget;
class TestEnv;
namespace db {
class Query;
}

// Every row the select returns, its columns as text joined by "|" (a null as "null").
QStringList rowTexts(const QString &select, const QVariantList &values = {});

// The ids of a list's rows, in the list's order.
QList<qint64> idsOf(const db::Query &list);

// One filter alone: its box ticked, the texts shown in its controls (named), the page's search button
// clicked; returns the ids listed, in id order.
QList<qint64> searchWithFilter(QWidget *page, const db::Query &list, const QString &box, const QStringList &controls,
                               const QStringList &texts);
// The row 1 captions of a written workbook's first `columns` columns.
QStringList workbookHeaders(const QString &path, int columns);

// Shows each text in the form's field of that name (ui::setControlText).
void setFieldTexts(QWidget *form, const QHash<QString, QString> &texts);
