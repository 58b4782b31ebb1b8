#pragma once
// What the page tests read back (rows, ids, workbook captions, the questions asked) and what they type into
// forms and filters.
#include "register_rows.h"
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

// One filter alone: its box ticked, the texts shown in its controls (named), the page's search button
// clicked; returns the ids listed, in id order.
QList<qint64> searchWithFilter(QWidget *page, const db::Query &list, const QString &box, const QStringList &controls,
                               const QStringList &texts);
// The row 1 captions of a written workbook's first `columns` columns.
QStringList workbookHeaders(const QString &path, int columns);
// Whether each item of a page's menu is enabled, in order.
QList<bool> menuStates(const QMenuBar *menu);
// The texts of the questions asked (the warnings), in order.
QStringList askedTexts(const ui::ScriptedDialogs &dialogs);

// Shows each text in the form's field of that name (ui::setControlText).
void setFieldTexts(QWidget *form, const QHash<QString, QString> &texts);
// Files a value under a title of the settings page for a user, as the pick lists and prints read them.
void addSetting(TestEnv &env, const QString &title, const QString &value, int userId = 1);
// Another workstation on the test database, for the cases of two users at once.
std::unique_ptr<db::Connection> otherWorkstation(const TestEnv &env);
