#pragma once
// A client-side dataset over one statement: the rows are fetched on open() and kept here; the current row
// moves over them; edits are written back to the statement's base table by its `id` column. It behaves as
// the older database engine the pages were written for: moving, sorting or starting a new row first stores
// a pending edit; a closed query has no rows and its fields read as null.
//
// A list a page shows reads its rows a slice at a time (setIncremental): open() reads the first rows, and the
// rest are read to the last between the user's events, or all at once for whatever needs them first (a sort, a
// locate, the last row, an export). To the code that uses it the query holds every row, as before; only the
// grid sees the rows read so far.
#include "db/connection.h"
#include "db/error.h"
#include "db/totals.h"
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace db {

enum class FieldType {
    WideText,  // nvarchar
    Text,      // varchar (system code page)
    Integer,   // 32-bit
    BigInt,    // 64-bit
    AutoInc,   // identity
    Float,
    Money,     // whole rials in 64 bits, shown in currency format
    Bcd,       // decimal without currency format
    Boolean,
    DateTime,
    Blob,
};

// A declared (persistent) field: the name the pages read and write, its type and size.
struct FieldDef {
    QString name;
    FieldType type = FieldType::WideText;
    int size = 0;             // characters, for text fields
    bool readOnly = false;
    bool calculated = false;  // filled by the calculated-fields handler, never read from or written to the table
};

class Query;

// A field of the current row. Cheap to copy; valid while its query stays open.
class Field {
public:
    Field(Query *query, int index) : query_(query), index_(index) {}

    QString name() const;
    FieldType type() const;
    int size() const;
    int index() const { return index_; }
    bool isNull() const;

    QString asString() const;    // null: empty text; money: whole rials without grouping ("1250000")
    qint64 asInteger() const;    // null: 0; text that is no whole number: db::Error
    double asFloat() const;      // null: 0; text that is no number: db::Error
    qint64 asCurrency() const;   // whole rials, rounded; null: 0
    QVariant value() const;      // null: an invalid QVariant
    QByteArray asBytes() const;  // blob bytes

    // Writes need the query in edit or insert state (calculated fields may be set while rows are read).
    void setValue(const QVariant &value);
    void setString(const QString &text) { setValue(text); }
    void clear() { setValue(QVariant()); }

    void loadFromFile(const QString &path);      // blob: the file's bytes; db::Error when unreadable
    void saveToFile(const QString &path) const;  // blob: creates or overwrites the file

private:
    Query *query_;
    int index_;
};

class Query : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Query(Connection &connection, const QString &name, QObject *parent = nullptr);
    ~Query() override;

    Connection &connection() const { return connection_; }

    // Statement, kept as lines; each line may carry values for its '?' placeholders.
    void clear();  // also closes the query
    void add(const QString &line, const QVariantList &values = {});
    template <typename... V>
    void add(const QString &line, const V &...values) { add(line, QVariantList{bindable(values)...}); }
    QStringList lines() const;
    // The statement's ordering (" order by chek_dat desc "), a part of its own after the lines: the rows are
    // read in its order, while the count and sums wrap the statement without it.
    void setOrdering(const QString &orderBy);
    QString text() const;        // the lines joined by "\n", then the ordering on a line of its own
    QVariantList bindings() const;
    void setDeclared(const QString &text);  // the declared statement, split into lines at line breaks
    void restoreDeclared();                 // the statement becomes the declared lines again (closes)

    // Declared fields: the rows then expose exactly these, in this order, converted to these types (a declared
    // field the result lacks is an error at open); calculated ones come from the handler. Without declared
    // fields the rows expose the result's columns, typed as the database describes them.
    void setDeclaredFields(const QVector<FieldDef> &fields);
    const QVector<FieldDef> &declaredFields() const;
    // Fills a row's calculated fields, its other fields read as of that row: called the first time a calculated
    // field of the row is read after an open or refresh (a large list costs only the rows shown or exported),
    // and again for a posted row. A handler that throws leaves that row's calculated fields empty.
    void setCalcFields(std::function<void(Query &)> handler);

    // Runs the select; the current row is the first; the sort is cleared. An open query stays as it is
    // (pages open a query that may be open already and then work on its current row).
    void open();

    // Reading a slice at a time (off by default: open() reads every row). A select run inside a transaction, or on
    // a file without a write-ahead log, is read whole.
    void setIncremental(bool on);
    bool hasMoreRows() const;     // rows of the result not read yet
    int fetchedCount() const;     // the rows read so far (and rows added here): what the grid shows
    void fetchMore(int rows);     // reads up to this many more rows now
    void fetchAll();              // reads every row left now; the user is told to wait

    // The number of rows and the sums (whole rials) of the named fields over the whole result, exact, from one
    // aggregate over the statement, run apart: `done` is called through the event loop once it answers. They
    // are the search's: rows added here meanwhile are not counted. A new statement, or closing, gives the request
    // up; a refresh asks it again. A failure is told between events.
    using Totals = db::Totals;
    void whenTotalled(const QStringList &fields, std::function<void(const Totals &)> done);
    // The pending request answered now, however long it takes (a click on a total that is not shown yet).
    void finishTotals();
    bool totalsPending() const;
    int execSql();               // runs a statement that returns no rows; returns rows affected
    void close();
    bool active() const;
    State state() const;

    // Navigation. A read still going on is read as far as a move needs (the last row: to its end); a read that
    // fails then closes the query and is thrown.
    int recordCount() const;     // 0 when closed; reads every row left
    int recNo() const;           // 1-based current row; 0 when there are no rows
    void setRecNo(int recNo);    // kept within 1..recordCount()
    void first();
    void last();                 // also sets eof(), as the older engine did
    void next();                 // at the last row: eof() becomes true, the row stays
    void prior();                // at the first row: bof() becomes true
    bool eof() const;
    bool bof() const;
    bool isEmpty() const;        // no row, not even one still to be read
    bool locate(const QString &fieldName, const QVariant &value); // first row whose field equals value

    // Editing, written to the base table (the first table after "from") by `id`.
    QString baseTable() const;
    void append();               // new empty row at the end, insert state
    void insert();               // same, before the current row
    void edit();                 // on an empty query: insert()
    // Writes the changed fields that are columns of the base table (never calculated fields nor fields of
    // joined tables); after an insert the new row's id is fetched into `id`. A row the table no longer holds
    // is an error; the query then stays in its state.
    void post();
    void cancel();
    void deleteRecord();         // deletes the current row in the table and here; the next row becomes current
    void refresh();              // runs the statement again, keeping the sort and the current row by id

    // Fields
    int fieldCount() const;
    Field field(int index);
    Field fieldByName(const QString &name);       // db::Error when there is no such field
    Field operator[](const QString &name) { return fieldByName(name); }
    int fieldIndex(const QString &name) const;    // -1 when absent (names compare case-insensitively)
    QString fieldName(int index) const;
    FieldType fieldType(int index) const;
    bool isCalculated(int index) const;

    // Values of any row (0-based), for the grid model and exports: no current-row change.
    QVariant valueAt(int row, int column) const;
    bool isNullAt(int row, int column) const;
    QString textAt(int row, int column) const;

    // Client-side sort of the open query: "field ASC" or "field DESC" (text in Persian order, numbers by
    // value, nulls first ascending); empty restores the fetched order. The current row stays on its record.
    void setSort(const QString &sort);
    QString sort() const;        // as set; empty after open

Q_SIGNALS:
    void opened();                       // new rows (open, refresh, close, sort)
    void rowsFetched(int first, int last); // rows read since, shown at these indexes (hasMoreRows() tells if more)
    void rowChanged(int row);            // a row's values changed (post)
    void rowInserted(int row);           // append/insert started a row at this index
    void rowRemoved(int row);            // deleteRecord, or cancel of an insert
    void currentChanged(int row);        // the current row moved (0-based; -1 when none)

private:
    // A value as it binds: text built with '+' (a QStringBuilder) becomes the QString it spells.
    template <typename V>
    static QVariant bindable(const V &value)
    {
        if constexpr (std::is_same_v<V, QVariant>)
            return value;
        else if constexpr (std::is_convertible_v<V, QString>)
            return QVariant(QString(value));
        else
            return QVariant::fromValue(value);
    }

    friend class Field;
    struct Private;
    Connection &connection_;
    std::unique_ptr<Private> d;
};

// Writes one row: starts it (Insert: append(), Edit: edit()), lets fill set its fields, and posts it. When
// anything on the way throws, the started row is cancelled before the error goes on, so a refused save
// leaves no half-made row in a query other pages share.
void writeRow(Query &query, Query::State mode, const std::function<void(Query &)> &fill);

} // namespace db
