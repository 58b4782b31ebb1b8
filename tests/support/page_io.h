#pragma once
// What the page tests store straight into a table, read back (rows, ids, workbook captions, the questions asked)
// and type into forms and filters.
#include <QHash>
#include <QVariantMap>
#include <memory>

class QMenuBar;
class QWidget;
class TestEnv;
namespace db {
class Connection;
class Query;
}
namespace ui {
class ScriptedDialogs;
}

// Inserts one row with the given columns (the others stay null) and returns its id.
qint64 addRow(TestEnv &env, const QString &table, const QVariantMap &columns);
// The number of rows of a table.
int rowCount(TestEnv &env, const QString &table);
// Every row the select returns, its columns as text joined by "|" (a null as "null").
QStringList rowTexts(const QString &select, const QVariantList &values = {});

// A form made at start-up, by its object name.
QWidget *formNamed(const QString &name);
// A page's command run as a user runs it: the button of that name clicked, or the menu item triggered.
void runCommand(QWidget *page, const QString &command);
// A list page's command on one row: its search run, the row of this id made current in its list, the command
// run.
void onRow(QWidget *page, const QString &search, db::Query &list, qint64 id, const QString &command);

// The ids of a list's rows, in the list's order.
QList<qint64> idsOf(const db::Query &list);
// The texts of one column of a list's rows, in the list's order.
QStringList textsOf(const db::Query &list, const QString &field);

// The count and sums of the list's last search on their labels: they come from an aggregate run apart, and
// are waited for here.
void waitForTotals(db::Query &list);
// One filter alone: its box ticked, the texts shown in its controls (named), the page's search button
// clicked (its totals waited for); returns the ids listed, in id order.
QList<qint64> searchWithFilter(QWidget *page, db::Query &list, const QString &box, const QStringList &controls,
                               const QStringList &texts);
// One filter of a list page alone (searchWithFilter), switched off again after: "the indexes of the seeded rows
// listed|the texts of the controls named in `shown`" (by default the page's count).
QString filterAlone(QWidget *page, db::Query &list, const QList<qint64> &seeded, const QString &box,
                    const QStringList &controls, const QStringList &texts,
                    const QStringList &shown = {QStringLiteral("cnt")});
// The row 1 captions of a written workbook's first `columns` columns.
QStringList workbookHeaders(const QString &path, int columns);
// Whether each item of a page's menu is enabled, in order.
QList<bool> menuStates(const QMenuBar *menu);
// The texts of the questions asked (the warnings), in order.
QStringList askedTexts(const ui::ScriptedDialogs &dialogs);

// Shows each text in the form's field of that name (ui::setControlText).
void setFieldTexts(QWidget *form, const QHash<QString, QString> &texts);
// The texts the form's fields of these names show (ui::controlText), joined by "|".
QString fieldTexts(const QWidget *form, const QStringList &names);
// Files a value under a title of the settings page for a user, as the pick lists and prints read them.
void addSetting(TestEnv &env, const QString &title, const QString &value, int userId = 1);
// Another workstation on the test database, for the cases of two users at once.
std::unique_ptr<db::Connection> otherWorkstation(const TestEnv &env);
