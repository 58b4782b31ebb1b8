#include "pagekit/save.h"
#include "audit.h"
#include "dm_u.h"
#include "forms.h"
#include "ui/control_text.h"
#include "ui/dialogs.h"
#include "ui/refusal.h"

using namespace Qt::StringLiterals;

namespace pagekit {

namespace {

// "select <what> from <table, locked> where <column>=? [and <yearColumn>=?]"
db::Query &numberQuery(db::Query &query, const QString &what, const QString &table, const QString &yearColumn,
                       const QVariant &year)
{
    const db::Dialect &dialect = query.connection().dialect();
    query.clear();
    query.add(u"select "_s + what + u" from "_s + dialect.lockedTable(table) + u" where 1=1"_s);
    if (!yearColumn.isEmpty())
        query.add(u" and "_s + yearColumn + u"=?"_s, year);
    return query;
}

// After a failed write the lists may hold a row the database never kept (or lack one it still has).
void readAgain(const QList<db::Query *> &lists)
{
    for (db::Query *list : lists) {
        try {
            if (list->active()) {
                list->cancel();
                list->refresh();
            }
        } catch (const std::exception &) {
            list->close(); // a list that can't be read again shows nothing rather than a row that isn't there
        }
    }
}

// Another user changed or deleted the row meanwhile.
bool byOtherUser(const db::Error &error)
{
    return error.kind() == db::Error::Kind::RowChanged || error.kind() == db::Error::Kind::RowDeleted;
}

// The clerk is told that plainly (the message says to search again), not by the error report.
void refuseIfOtherUser(const db::Error &error)
{
    if (byOtherUser(error))
        throw ui::Refusal(error.text());
}

// The work in one write transaction; when it fails, the lists are read again and the error goes on as it is.
void transactionReadingAgain(const std::function<void()> &work, const QList<db::Query *> &lists = {})
{
    try {
        db::Transaction transaction(forms::dm->ADOConnection1);
        work();
        transaction.commit();
    } catch (const ui::Refusal &) {
        throw; // refused before anything was changed: the lists are as they were
    } catch (...) {
        readAgain(lists);
        throw;
    }
}

} // namespace

qint64 nextNumber(db::Connection &connection, const QString &table, const QString &column,
                  const QString &yearColumn, const QVariant &year)
{
    db::Query query(connection, u"nextNumber"_s);
    numberQuery(query, u"max("_s + column + u") as m"_s, table, yearColumn, year).open();
    return query.fieldByName(u"m"_s).asInteger() + 1; // no row: null, read as 0
}

bool numberTaken(db::Connection &connection, const QString &table, const QString &column, const QVariant &number,
                 const QString &yearColumn, const QVariant &year)
{
    db::Query query(connection, u"numberTaken"_s);
    numberQuery(query, u"count(*) as c"_s, table, yearColumn, year);
    query.add(u" and "_s + column + u"=?"_s, number);
    query.open();
    return query.fieldByName(u"c"_s).asInteger() > 0;
}

void inWriteTransaction(const std::function<void()> &work, const QList<db::Query *> &lists)
{
    try {
        transactionReadingAgain(work, lists);
    } catch (const db::Error &error) {
        refuseIfOtherUser(error);
        throw;
    }
}

void saveRow(const Save &save)
{
    db::Query &list = *save.query;
    if (!list.active())
        list.open();
    std::optional<qint64> retaken;
    bool posted = false;
    try {
    transactionReadingAgain(
        [&] {
            if (save.lockedChecks)
                save.lockedChecks();
            if (const std::optional<ProposedNumber> &n = save.number;
                n && ui::controlText(n->field).trimmed() == n->proposed.trimmed()
                && numberTaken(list.connection(), n->table, n->column, n->proposed.trimmed().toLongLong(),
                               n->yearColumn, n->year)) {
                retaken = nextNumber(list.connection(), n->table, n->column, n->yearColumn, n->year);
            }
            db::writeRow(list, save.mode, [&](db::Query &row) {
                save.fill(row);
                if (retaken)
                    row.fieldByName(save.number->column).setValue(*retaken);
            });
            posted = true;
            if (retaken)
                ui::setControlText(save.number->field, QString::number(*retaken));
            if (save.audit) {
                const QString text = save.audit();
                if (!text.isEmpty())
                    WriteAuditLog(text);
            }
        });
    } catch (const db::Error &error) {
        // The clerk sees the row as it now stands after another user's change, and a row posted but not
        // committed goes from the list.
        if (posted || byOtherUser(error))
            readAgain({&list});
        refuseIfOtherUser(error);
        throw;
    } catch (...) {
        if (posted)
            readAgain({&list});
        throw;
    }
    if (!save.done.isEmpty())
        ui::showMessage(save.done);
}

} // namespace pagekit
