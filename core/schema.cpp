#include "schema.h"
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
    }
    return {};
}

namespace {

// Clears ADOQuery1, adds the statement's lines and runs it as a command.
void runCommand(db::Query &query, const QString &statement)
{
    query.clear();
    for (const QString &line : statement.split(u'\n'))
        query.add(line);
    query.execSql();
}

// One guarded unit: the step's statements and its seed. Any failure ends the step unreported.
void runStep(Tdm &dm, const Step &step)
{
    try {
        db::Connection &connection = dm.ADOConnection1;
        const QStringList statements = statementsFor(step, connection.dialect());
        std::optional<db::Transaction> allOrNothing;
        if (statements.size() > 1)
            allOrNothing.emplace(connection);
        for (const QString &statement : statements)
            runCommand(*dm.ADOQuery1, statement);
        if (allOrNothing)
            allOrNothing->commit();
        if (step.seed)
            step.seed(dm);
    } catch (const std::exception &) {
        // A table or column that exists, a statement the engine rejects: the next step goes on.
    }
}

} // namespace

} // namespace schema

void RunSchemaSteps()
{
    // Without an open connection every statement fails; the connection may not even know its engine yet.
    if (!forms::dm || !forms::dm->ADOConnection1.connected())
        return;
    for (const schema::Step &step : schema::steps())
        schema::runStep(*forms::dm, step);
}

void CreateOrUpgradeSchema()
{
    RunSchemaSteps();
    ui::showMessage(QStringLiteral("همه تنظيمات انجام شد"));
}
