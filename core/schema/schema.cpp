#include "schema/schema.h"
#include "dm_u.h"
#include "forms.h"
#include "ui/dialogs.h"
#include <optional>

namespace schema {

QStringList statementsFor(const Step &step, const db::Dialect &dialect)
{
    switch (step.action) {
    case Action::CreateTable:
        return {dialect.createTable(step.table, step.columns)};
    case Action::AddColumns:
        return dialect.addColumns(step.table, step.columns);
    case Action::AlterColumn: {
        // Only SQL Server changes a column's type in place; elsewhere the statement fails and is skipped.
        const db::ColumnDef &column = step.columns.constFirst();
        return {QStringLiteral("Alter table ") + step.table + QStringLiteral(" \n alter column ") + column.name
                + u' ' + dialect.columnType(column) + u' '};
    }
    case Action::CreateIndex: {
        QStringList columns;
        for (const db::ColumnDef &column : step.columns)
            columns << column.name;
        // Named after what it covers: ix_payamha_rec_prs_id_send_dat.
        const QString name = QStringLiteral("ix_") + step.table + u'_' + columns.join(u'_');
        return {dialect.createIndex(name, step.table, columns)};
    }
    }
    return {};
}

namespace {

// Rolls a failed step back to its savepoint and ends the savepoint; the routine's transaction stays.
void undoStep(db::Connection &connection)
{
    try {
        connection.exec(QStringLiteral("ROLLBACK TO schema_step"));
        connection.exec(QStringLiteral("RELEASE schema_step"));
    } catch (const std::exception &) {
        // The savepoint was never made (the step failed before it): nothing to undo.
    }
}

// Clears ADOQuery1, adds the statement's lines and runs it as a command.
void runCommand(db::Query &query, const QString &statement)
{
    query.clear();
    for (const QString &line : statement.split(u'\n'))
        query.add(line);
    query.execSql();
}

// One guarded unit: the step's statements and its seed. Any failure ends the step unreported. On SQLite the
// routine holds the write lock for all its steps; each step is a savepoint of that transaction, so a failed
// step undoes only itself and the routine goes on. On SQL Server a step of several statements runs in a
// transaction of its own.
void runStep(Tdm &dm, const Step &step)
{
    db::Connection &connection = dm.ADOConnection1;
    const bool sqlite = connection.engine() == db::Engine::SQLite;
    try {
        const QStringList statements = statementsFor(step, connection.dialect());
        if (sqlite)
            connection.exec(QStringLiteral("SAVEPOINT schema_step"));
        std::optional<db::Transaction> allOrNothing;
        if (!sqlite && statements.size() > 1)
            allOrNothing.emplace(connection);
        for (const QString &statement : statements)
            runCommand(*dm.ADOQuery1, statement);
        if (allOrNothing)
            allOrNothing->commit();
        if (step.seed)
            step.seed(dm);
        if (sqlite)
            connection.exec(QStringLiteral("RELEASE schema_step"));
    } catch (const std::exception &) {
        // A table or column that exists, a statement the engine rejects: the next step goes on.
        if (sqlite)
            undoStep(connection);
    }
}

} // namespace

} // namespace schema

void RunSchemaSteps()
{
    if (forms::dm)
        RunSchemaSteps(*forms::dm);
}

void RunSchemaSteps(Tdm &dm)
{
    // Without an open connection every statement fails; the connection may not even know its engine yet.
    db::Connection &connection = dm.ADOConnection1;
    if (!connection.connected())
        return;
    // SQLite: one write lock over every step, so two first starts on a new file run one after the other and
    // the second finds everything made (else it could add users.status before the first seeded its
    // administrator, who would then stay inactive). A file another program holds is reported.
    // The other start may take a while over its steps on a busy machine: the lock is waited for a few busy
    // timeouts before the file is reported as held.
    std::optional<db::Transaction> writeLock;
    for (int attempt = 1; connection.engine() == db::Engine::SQLite && !writeLock; ++attempt) {
        try {
            writeLock.emplace(connection);
        } catch (const db::Error &error) {
            if (error.kind() != db::Error::Kind::Locked || attempt == 6)
                throw;
        }
    }
    for (const schema::Step &step : schema::steps())
        schema::runStep(dm, step);
    if (writeLock)
        writeLock->commit();
}

void CreateOrUpgradeSchema()
{
    RunSchemaSteps();
    ui::showMessage(QStringLiteral("همه تنظيمات انجام شد"));
}
