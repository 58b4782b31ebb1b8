#pragma once
// The schema routine: one list of guarded steps that both builds a new database and brings an older one up
// to date. A step whose statement fails (a table or column that exists, a closed connection, a statement
// the engine rejects) is skipped silently with its seed, and the next step runs.
#include "db/dialect.h"
#include <QString>
#include <QStringList>
#include <QVector>

class Tdm;

namespace schema {

enum class Action {
    CreateTable,  // create table <table> with the columns
    AddColumns,   // alter table <table> add the columns, all or none
    AlterColumn,  // alter table <table> alter column: sets the type of the one column
    CreateIndex,  // an index on <table> over the columns (only their names count), made when missing
};

struct Step {
    int number = 0;
    Action action = Action::CreateTable;
    QString table;
    QVector<db::ColumnDef> columns;
    void (*seed)(Tdm &dm) = nullptr;  // runs only when the step's statement succeeded
};

// Every step in the order it runs: the 27 of the routine, then those that create what older databases
// were given by hand (the price-inquiry, village and phone-book tables, the extra users columns and
// zamaem.ramz), then the indexes the lists wait on.
const QVector<Step> &steps();
const Step &step(int number);

// The statements of a step in the dialect's spelling, each a text whose lines are separated by "\n".
// More than one statement (a multi-column add on SQLite) runs in one transaction.
QStringList statementsFor(const Step &step, const db::Dialect &dialect);

} // namespace schema

// Runs every step on the data module's connection as it stands, then shows "همه تنظيمات انجام شد"
// whatever the steps did (the click on the connection settings' "- - -" label).
void CreateOrUpgradeSchema();
// The same steps without the message, on the data module's connection: a new local database file gets its
// schema when it is made. On SQLite they run under one write lock; a file another program holds throws
// db::Error.
void RunSchemaSteps();
void RunSchemaSteps(Tdm &dm);
