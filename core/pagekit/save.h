#pragma once
// The write step of every entry form. A row and its audit row are written in one write transaction (SQLite
// BEGIN IMMEDIATE; on SQL Server the checks read their tables with the dialect's locking hints), so two users
// saving at once never interleave a check and the write it guards; "ثبت شد" is shown only after the commit.
// A number proposed to the user (secretariat, request, inquiry) is taken again at save time.
#include "db/query.h"
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class QWidget;

namespace pagekit {

// max(column) + 1 over the table, within the year when yearColumn is given; 1 when no row has one. Inside a
// write transaction the read holds its rows (Dialect::lockedTable).
qint64 nextNumber(db::Connection &connection, const QString &table, const QString &column,
                  const QString &yearColumn = QString(), const QVariant &year = QVariant());
// Whether a row of the table (within the year when given) already holds the number.
bool numberTaken(db::Connection &connection, const QString &table, const QString &column, const QVariant &number,
                 const QString &yearColumn = QString(), const QVariant &year = QVariant());

// A number the form proposed: when at save time the field still holds the proposed number and another user
// has taken it since, the next free number is stored and the field shows it. A number typed by hand is
// stored as typed.
struct ProposedNumber {
    QWidget *field = nullptr;
    QString proposed;          // the text the form put in the field
    QString table;
    QString column;
    QString yearColumn;        // empty: numbered over every year
    QVariant year;
};

struct Save {
    db::Query *query = nullptr;                       // the list the row is written through
    db::Query::State mode = db::Query::State::Insert; // Insert or Edit (the current row)
    // Runs inside the transaction before the write: refusals that must see what other users wrote (throw
    // ui::Refusal). Optional.
    std::function<void()> lockedChecks;
    // The proposed number, taken again inside the transaction after lockedChecks; when retaken, the row's
    // column gets the new number after fill, and the field shows it.
    std::optional<ProposedNumber> number;
    std::function<void(db::Query &)> fill;            // sets the row's fields
    // The audit row's action text, built after the write (it may name a number taken again); empty: none.
    // Declare the lambda's type (`[&]() -> QString { ... }`): a text joined with '+' is otherwise a
    // QStringBuilder holding references to texts freed when the lambda returns.
    std::function<QString()> audit;
    QString done;                                     // shown after the commit ("ثبت شد"); empty: nothing
};

// Runs the save; on any failure nothing is kept (the transaction rolls back, a started row is cancelled and
// the list shows what the database holds) and the error goes on. A closed list is opened first with its
// statement; a page whose list may be closed and large opens it empty first (openEmptyIfClosed).
void saveRow(const Save &save);

// Runs work in one write transaction on the data module's connection (check-then-write steps of a page).
// When it fails, the lists given are read again, so they show what the database holds, and the error goes on;
// a row another user changed or deleted meanwhile goes on as a refusal with the database layer's Persian
// message. A refusal (ui::Refusal) must come before the work changes anything, and leaves the lists as they are.
void inWriteTransaction(const std::function<void()> &work, const QList<db::Query *> &lists = {});

} // namespace pagekit
