#pragma once
// The inner state of a Query, shared by the files that each hold one concern of it: the statement, opening and
// fields (query.cpp), reading in turns (query_reading.cpp), navigation, find and sort (query_navigation.cpp),
// new, edited and deleted rows with their calculated fields (query_rows.cpp), and the totals
// (query_totals.cpp).
#include "db/aggregate.h"
#include "db/query.h"
#include "db/read_in_turns.h"
#include "db/row_order.h"
#include "db/row_write.h"
#include <QHash>
#include <memory>
#include <vector>

namespace db {

struct Query::Private {
    Private(Query *query, const QString &queryName)
        : q(query), name(queryName), writer(query->connection(), queryName)
    {
    }

    Query *q;
    QString name;
    QStringList lines;
    QVector<QVariantList> lineValues;
    QString ordering;
    QStringList declared;
    QVector<FieldDef> declaredFields;
    std::function<void(Query &)> calcFields;

    State state = State::Inactive;
    detail::ResultSet result;        // while inactive: the declared fields, no rows
    QHash<QString, int> byName;      // case-folded name -> first field of that name
    detail::RowOrder order;          // the rows in the order shown
    int current = -1;                // shown index of the current row
    bool bof = true;
    bool eof = true;
    QString sort;
    QHash<int, QVariant> pending;    // edit or insert buffer: field -> normalised value
    detail::RowWriter writer;

    // ---- statement, opening and fields (query.cpp)
    void install(detail::ResultSet &&rows);
    void installDeclared();          // no rows: the memory of the last ones goes back
    void dropRows();                 // closed, with no rows
    void requireActive() const;
    void requireCurrent() const; // editing and deleting work on the current row
    detail::Column &column(int field);
    QVariant read(int field);
    void write(int field, const QVariant &value);
    int count() const { return order.count(); }
    int storedAt(int shown) const { return order.stored(shown); }
    void atFirst();                  // the first row current, as after an open

    // ---- reading in turns (query_reading.cpp)
    static constexpr int firstSlice = 1000; // rows read by open(): more than a screen shows
    static constexpr int scrollSlice = 2000;
    bool incremental = false;
    std::unique_ptr<detail::ReadInTurns> reading;
    void openRows();
    void arrived(qsizetype first, qsizetype rows, bool more);
    void startReading();
    void stopReading();
    bool rowsToCome() const { return reading && reading->reading(); }
    void readAll();
    void readUntil(int row);

    // ---- navigation, find and sort (query_navigation.cpp)
    void moveTo(int row);
    void checkBrowseMode();
    void applySort(const QString &text);
    int find(int field, const QVariant &wanted);

    // ---- rows and calculated fields (query_rows.cpp)
    bool calculating = false;
    int calcRow = -1;                // while calculating: the stored row being filled
    std::vector<bool> calculated;    // stored row -> its calculated fields are filled
    void fillRow(int stored);
    void fillCalculated(int stored);
    void fillAllCalculated();
    const detail::Column &cellColumn(int row, int field);
    void calculate(int from, int to);
    QString table() const;
    int idField() const { return byName.value(QStringLiteral("id"), -1); }
    void removeCurrentRow();
    void addRow(int at);

    // ---- totals (query_totals.cpp)
    struct TotalsRequest {
        QStringList fields;
        std::function<void(const Totals &)> done;
        std::unique_ptr<detail::Aggregate> running;
    };
    std::unique_ptr<TotalsRequest> totals;
    void askTotals();
};

} // namespace db
