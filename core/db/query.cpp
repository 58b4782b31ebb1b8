#include "db/query.h"
#include "db/fetch.h"
#include "db/sort.h"
#include "db/sqltext.h"
#include "db/statement.h"
#include "db/turns.h"
#include "ui/busy.h"
#include "ui/guard.h"
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlField>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace db {

using namespace Qt::StringLiterals;
using detail::Column;

struct Query::Private {
    Query *q;
    QString name;
    QStringList lines;
    QVector<QVariantList> lineValues;
    QStringList declared;
    QVector<FieldDef> declaredFields;
    std::function<void(Query &)> calcFields;

    State state = State::Inactive;
    detail::ResultSet result;        // while inactive: the declared fields, no rows
    QHash<QString, int> byName;      // case-folded name -> first field of that name
    std::vector<int> order;          // the rows in the order shown -> stored row
    int current = -1;                // index into order
    bool bof = true;
    bool eof = true;
    QString sort;
    bool calculating = false;
    int calcRow = -1;                // while calculating: the stored row being filled
    std::vector<bool> calculated;    // stored row -> its calculated fields are filled
    QHash<int, QVariant> pending;    // edit or insert buffer: field -> normalised value
    QString tableOfColumns;          // the base table whose column names are known
    QSet<QString> tableColumns;      // case-folded

    // ---- reading a slice at a time
    bool incremental = false;
    std::unique_ptr<detail::RowReader> unread; // the rows still to be read; null once all are
    int addedWhilePending = 0;       // rows added here while rows were still to be read: they stay last
    bool background = false;         // the grid is shown: read on between the user's events
    std::unique_ptr<detail::Turns> filler;
    struct TotalsRequest {
        QStringList fields;
        std::function<void(const Totals &)> done;
        std::unique_ptr<detail::RowReader> pass; // the second pass, once the fill stopped at its budget
        Totals counted;                          // what the second pass has counted so far
    };
    std::unique_ptr<TotalsRequest> totals;

    // ---- fields and rows

    void install(detail::ResultSet &&rows)
    {
        result = std::move(rows);
        byName.clear();
        for (int i = int(result.columns.size()) - 1; i >= 0; --i)
            byName.insert(result.columns[size_t(i)].def.name.toCaseFolded(), i);
        order.resize(size_t(result.rows));
        std::iota(order.begin(), order.end(), 0);
        current = order.empty() ? -1 : 0;
        bof = true;
        eof = order.empty();
        pending.clear();
        // Calculated fields are filled when a row's value is first read, not for every row fetched.
        calculated.assign(size_t(result.rows), false);
    }

    // ---- reading a slice at a time

    // The rows a list keeps while the background fill reads on; past them the rest waits to be needed.
    qsizetype backgroundBudget = qsizetype(40) * 1024 * 1024;
    static constexpr int firstSlice = 1000;   // rows read by open(): more than a screen shows
    static constexpr int scrollSlice = 2000;  // rows read each time the grid reaches the last row read

    qsizetype memoryKept() const
    {
        qsizetype bytes = qsizetype(order.capacity() * sizeof(int));
        for (const Column &c : result.columns)
            bytes += c.memoryUsed();
        return bytes;
    }

    void stopPending()
    {
        if (unread)
            q->connection().removePendingRead(q);
        unread.reset();
        addedWhilePending = 0;
        totals.reset();
        if (filler)
            filler->stop();
    }

    // Reads up to n more rows, or as many as a background turn has time and budget for; the rows read go
    // before any row added here meanwhile, and the grid hears of them once.
    void readSlice(qsizetype n, const QElapsedTimer *turn = nullptr, bool withinBudget = false)
    {
        const qsizetype before = result.rows;
        bool more = true;
        try {
            // A background turn ends with its time, or when the rows kept reach the budget it keeps to.
            const auto turnOver = [&] {
                return turn
                       && (detail::Turns::over(*turn) || (withinBudget && memoryKept() >= backgroundBudget));
            };
            for (qsizetype done = 0; more && done < n && !turnOver();) {
                const qsizetype step = std::min<qsizetype>(n - done, 256);
                more = unread->read(result, step);
                done += step;
            }
        } catch (...) {
            // The rest can't be read: the list keeps what it has, and says what went wrong.
            stopPending();
            throw;
        }
        const qsizetype read = result.rows - before;
        if (read > 0) {
            const int at = count() - addedWhilePending;
            std::vector<int> added(static_cast<size_t>(read));
            std::iota(added.begin(), added.end(), int(before));
            order.insert(order.begin() + at, added.begin(), added.end());
            // A current row added here moves down with the rows read before it: it stays the same record.
            if (current >= at)
                current += int(read);
            calculated.resize(size_t(result.rows), false);
            Q_EMIT q->rowsFetched(at, at + int(read) - 1);
        }
        if (!more)
            allRead();
    }

    void allRead()
    {
        q->connection().removePendingRead(q);
        unread.reset();
        // The totals are the search's, as the second pass counts them: rows added here meanwhile (the last
        // ones, a new row not yet stored among them) are not counted.
        const int searched = count() - std::exchange(addedWhilePending, 0);
        if (totals)
            deliverTotals(fromRows(totals->fields, searched));
    }

    void readAll()
    {
        if (!unread)
            return;
        const ui::BusyCursor busy;
        while (unread)
            readSlice(scrollSlice * 8);
    }

    // Reads until the display row exists or nothing is left.
    void readUntil(int row)
    {
        while (unread && row >= count())
            readSlice(std::max(scrollSlice, row - count() + 1));
    }

    // Reads what a walk over the rows in their order needs before it looks at the display row: rows added
    // here stay after every row still to be read, so a walk that reaches them reads the rest first.
    void readForWalk(int row)
    {
        if (addedWhilePending > 0 && row >= count() - addedWhilePending)
            readAll();
        else
            readUntil(row);
    }

    // The count and sums of the first `rows` rows shown.
    Totals fromRows(const QStringList &fields, int rows)
    {
        Totals sums;
        sums.count = rows;
        for (const QString &name : fields) {
            const int field = q->fieldByName(name).index();
            const Column &c = result.columns[size_t(field)];
            std::optional<qint64> sum;
            for (int i = 0; i < rows; ++i)
                if (const int row = order[size_t(i)]; !c.isNull(row))
                    sum = sum.value_or(0) + wholeRials(c, row);
            sums.sums << sum;
        }
        return sums;
    }

    // A cell as a total counts it: whole rials, rounded; a null, or a text that is no number, counts nothing
    // (as the database's own sum takes them).
    static qint64 wholeRials(const Column &c, qsizetype row)
    {
        if (c.isNull(row))
            return 0;
        if (c.storage == detail::Storage::Integer && c.unreadableText(row).isEmpty())
            return c.integerAt(row);
        try {
            return detail::toCurrency(c.value(row));
        } catch (const Error &) {
            return 0;
        }
    }

    void deliverTotals(const Totals &sums)
    {
        const std::unique_ptr<TotalsRequest> request = std::move(totals);
        request->done(sums);
    }

    // One turn of the background: the fill reads on within its budget; past it, a second pass counts. False
    // when nothing is left to do in the background.
    bool backgroundTurn(const QElapsedTimer &turn)
    {
        while (!detail::Turns::over(turn)) {
            if (unread && memoryKept() < backgroundBudget) {
                readSlice(std::numeric_limits<qsizetype>::max(), &turn, true);
                continue;
            }
            if (unread && !startSecondPass()) {
                readSlice(std::numeric_limits<qsizetype>::max(), &turn);
                continue;
            }
            if (totals && totals->pass) {
                countSlice();
                continue;
            }
            return false;
        }
        return true;
    }

    // The second pass starts where the engine can read the same result twice at once; where it can't (one
    // result at a time), the fill reads on past its budget.
    bool startSecondPass()
    {
        if (!totals)
            return true; // nothing to count: the fill waits at its budget
        if (totals->pass)
            return true;
        // The order of the rows counts for nothing: a last "order by" line is left out, sparing a second sort.
        QStringList lines = q->lines();
        QVector<QVariantList> values = lineValues;
        static const QRegularExpression orderBy(u"^\\s*order\\s+by\\b"_s, QRegularExpression::CaseInsensitiveOption);
        if (!lines.isEmpty() && values.last().isEmpty() && orderBy.match(lines.last()).hasMatch()) {
            lines.removeLast();
            values.removeLast();
        }
        QVariantList bound;
        for (const QVariantList &line : std::as_const(values))
            bound << line;
        std::unique_ptr<detail::RowSource> again = unread->source().alongside(lines.join(u'\n'), bound);
        if (!again)
            return false;
        QVector<FieldDef> summed;
        for (const QString &name : std::as_const(totals->fields)) {
            FieldDef def = result.columns[size_t(q->fieldByName(name).index())].def;
            def.calculated = false;
            summed << def;
        }
        totals->pass = std::make_unique<detail::RowReader>(std::move(again), summed, name);
        return true;
    }

    void countSlice()
    {
        TotalsRequest &request = *totals;
        detail::ResultSet slice = request.pass->columns();
        bool more = false;
        try {
            more = request.pass->read(slice, 4096);
        } catch (...) {
            // A pass that failed is not read on: its statement would start again from its first row and count
            // the rows already counted twice. The totals are given up, and the failure is reported.
            totals.reset();
            throw;
        }
        request.counted.count += slice.rows;
        request.counted.sums.resize(request.fields.size());
        for (size_t field = 0; field < slice.columns.size(); ++field) {
            std::optional<qint64> &sum = request.counted.sums[qsizetype(field)];
            for (qsizetype row = 0; row < slice.rows; ++row)
                if (!slice.columns[field].isNull(row))
                    sum = sum.value_or(0) + wholeRials(slice.columns[field], row);
        }
        if (!more)
            deliverTotals(request.counted);
    }

    // The rows of the statement: the first slice, or all of them.
    void openRows()
    {
        stopPending();
        if (std::unique_ptr<detail::RowSource> source =
                incremental ? detail::sliceSource(q->connection(), q->text(), q->bindings()) : nullptr) {
            unread = std::make_unique<detail::RowReader>(std::move(source), declaredFields, name);
            install(unread->columns());
            Connection::PendingRead read;
            read.onChannel = q->connection().engine() != Engine::SQLite;
            read.readRest = [this] { readAll(); };
            read.giveUp = [this] { q->close(); };
            q->connection().addPendingRead(q, std::move(read));
            readSlice(firstSlice);
            current = order.empty() ? -1 : 0;
            bof = true;
            eof = order.empty();
        } else {
            install(detail::fetch(q->connection(), q->text(), q->bindings(), declaredFields, name));
        }
    }

    void startBackground()
    {
        if (!background || !(unread || (totals && totals->pass)))
            return;
        // A failure is reported as any other; the list keeps the rows it has read.
        if (!filler)
            filler = std::make_unique<detail::Turns>(
                q, [this](const QElapsedTimer &turn) { return backgroundTurn(turn); });
        filler->start();
    }

    void installDeclared()
    {
        detail::ResultSet shell;
        for (const FieldDef &def : declaredFields)
            shell.columns.emplace_back(def, detail::storageOf(def.type));
        install(std::move(shell));
    }

    int count() const { return int(order.size()); }

    void requireActive() const
    {
        if (state == State::Inactive)
            throw Error(name + u": Cannot perform this operation on a closed dataset"_s);
    }

    // Editing and deleting work on the current row; a list may have rows and none current (after a refresh that no
    // longer finds it).
    void requireCurrent() const
    {
        if (current < 0)
            throw Error(name + u": No current record"_s);
    }

    Column &column(int field)
    {
        if (field < 0 || field >= int(result.columns.size()))
            throw Error(name + u": Field index out of range"_s);
        return result.columns[size_t(field)];
    }

    QVariant read(int field)
    {
        const Column &c = column(field);
        if (calculating)
            return c.value(calcRow);
        if (current < 0)
            return QVariant();
        if (c.def.calculated)
            fillCalculated(order[size_t(current)]);
        if (state != State::Browse) {
            const auto buffered = pending.constFind(field);
            if (buffered != pending.cend())
                return *buffered;
        }
        return c.value(order[size_t(current)]);
    }

    void write(int field, const QVariant &value)
    {
        Column &c = column(field);
        if (calculating) {
            c.set(calcRow, detail::normalise(value, c.def.type));
            return;
        }
        if (state != State::Edit && state != State::Insert)
            throw Error(name + u": Dataset not in edit or insert mode"_s);
        if (c.def.readOnly)
            throw Error(u"Field '"_s + c.def.name + u"' cannot be modified"_s);
        pending.insert(field, detail::normalise(value, c.def.type));
    }

    // The current row moves; the view follows.
    void moveTo(int row)
    {
        if (row == current)
            return;
        current = row;
        Q_EMIT q->currentChanged(current);
    }

    // Navigation, sorting and new rows first store a pending edit, as the older engine did.
    void checkBrowseMode()
    {
        requireActive();
        if (state != State::Browse)
            q->post();
    }

    // ---- calculated fields

    // Fills the calculated fields of one stored row, the row being current for the handler. A row the
    // handler cannot fill keeps them empty: the list still shows.
    void fillRow(int stored)
    {
        calculating = true;
        calcRow = stored;
        try {
            calcFields(*q);
        } catch (const std::exception &) {
            for (Column &c : result.columns)
                if (c.def.calculated)
                    c.set(stored, QVariant());
        }
        calculating = false;
        if (size_t(stored) >= calculated.size())
            calculated.resize(size_t(stored) + 1, false);
        calculated[size_t(stored)] = true;
    }

    void fillCalculated(int stored)
    {
        if (calcFields && !calculating && !(size_t(stored) < calculated.size() && calculated[size_t(stored)]))
            fillRow(stored);
    }

    void fillAllCalculated()
    {
        for (int row = 0; row < int(result.rows); ++row)
            fillCalculated(row);
    }

    // The column of a cell read by position (grid, exports), its calculated fields filled first.
    const Column &cellColumn(int row, int field)
    {
        const Column &c = result.columns[size_t(field)];
        if (c.def.calculated)
            fillCalculated(order[size_t(row)]);
        return c;
    }

    // Fills the rows now (a posted row), whether or not they were filled before.
    void calculate(int from, int to)
    {
        if (!calcFields)
            return;
        for (int row = from; row < to; ++row)
            fillRow(order[size_t(row)]);
    }

    // ---- writing to the base table

    QString table() const
    {
        const QString table = detail::baseTableOf(q->text());
        if (table.isEmpty())
            throw Error(name + u": the statement names no table to write to"_s);
        return table;
    }

    bool tableHas(const QString &table, const QString &columnName)
    {
        if (tableOfColumns != table) {
            // The driver asks the server on the connection, which must first read a list still pending there.
            q->connection().finishPendingReads();
            const QSqlRecord record = q->connection().database().record(table);
            if (record.isEmpty())
                throw Error(name + u": table '"_s + table + u"' not found"_s);
            tableColumns.clear();
            for (int i = 0; i < record.count(); ++i)
                tableColumns.insert(record.fieldName(i).toCaseFolded());
            tableOfColumns = table;
        }
        return tableColumns.contains(columnName.toCaseFolded());
    }

    int idField() const { return byName.value(u"id"_s, -1); }

    QVariant idOfCurrent()
    {
        const int id = idField();
        const QVariant value = id < 0 ? QVariant() : result.columns[size_t(id)].value(order[size_t(current)]);
        if (!value.isValid())
            throw Error(name + u": the row has no id to find it by in the table"_s);
        return value;
    }

    // The value as the database takes it: nulls typed, so that SQL Server accepts a null image or date.
    static QVariant bound(const QVariant &value, FieldType type)
    {
        switch (type) {
        case FieldType::Boolean:
            return value.isValid() ? QVariant(value.toLongLong() != 0) : QVariant(QMetaType::fromType<bool>());
        case FieldType::DateTime:
            if (!value.isValid())
                return QVariant(QMetaType::fromType<QDateTime>());
            return detail::toPublic(value, type);
        case FieldType::Blob: return value.isValid() ? value : QVariant(QMetaType::fromType<QByteArray>());
        default: break;
        }
        if (value.isValid())
            return value;
        switch (detail::storageOf(type)) {
        case detail::Storage::Integer: return QVariant(QMetaType::fromType<qint64>());
        case detail::Storage::Real: return QVariant(QMetaType::fromType<double>());
        default: return QVariant(QMetaType::fromType<QString>());
        }
    }

    // The pending fields that are columns of the table, in field order.
    QList<int> columnsOf(const QString &table)
    {
        QList<int> fields;
        for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
            const FieldDef &def = result.columns[size_t(it.key())].def;
            if (!def.calculated && tableHas(table, def.name))
                fields << it.key();
        }
        std::sort(fields.begin(), fields.end());
        return fields;
    }

    // Whether a field keeps the value it was read with: an edit writes only the fields that changed. An empty
    // text and a null are the same to the user (an untouched empty box), so neither replaces the other.
    bool unchanged(int field, const QVariant &value)
    {
        const Column &c = result.columns[size_t(field)];
        const QVariant old = c.value(order[size_t(current)]);
        if (c.storage == detail::Storage::Text)
            return old.toString() == value.toString();
        if (old.isValid() != value.isValid())
            return false;
        return !old.isValid() || old == value;
    }

    // The condition that the row still holds what was read in the written fields, and its bound values.
    // Fields whose old value can't be compared safely are left out: blobs and dates (image and datetime
    // columns take no exact comparison on SQL Server), and on SQL Server text without a size or longer than
    // 4,000 characters (ntext and nvarchar(max) refuse '=').
    void appendReadValueCondition(const QList<int> &written, QStringList &conditions, QVariantList &values)
    {
        const Dialect &dialect = q->connection().dialect();
        for (int field : written) {
            const Column &c = result.columns[size_t(field)];
            const QString column = dialect.quoteIdentifier(c.def.name);
            const QVariant old = c.value(order[size_t(current)]);
            if (c.def.type == FieldType::Blob || c.def.type == FieldType::DateTime)
                continue;
            if (c.storage == detail::Storage::Text && !dialect.comparesText(c.def.size))
                continue;
            if (!old.isValid()) {
                conditions << column + u" IS NULL"_s;
                continue;
            }
            if (old.typeId() == QMetaType::QString && c.storage != detail::Storage::Text) {
                // A number column holding a text that is no number ("12x"): it is compared as that text.
                conditions << column + u" = ?"_s;
                values << old;
                continue;
            }
            switch (c.def.type) {
            case FieldType::Money:
                // Read as whole rials, rounded: a stored 1250000.4 is the 1250000 the user saw.
                conditions << u"ROUND("_s + column + u", 0) = ?"_s;
                values << old;
                break;
            case FieldType::Float:
            case FieldType::Bcd: {
                // A float read through a driver's text may differ from the stored one in its last digits.
                conditions << u"ABS("_s + column + u" - ?) <= ?"_s;
                values << old << std::max(1e-9, std::fabs(old.toDouble()) * 1e-12);
                break;
            }
            default:
                conditions << column + u" = ?"_s;
                values << bound(old, c.def.type);
            }
        }
    }

    // Writes the changed fields while the row still holds what was read in them. When no row is updated the
    // row was changed or deleted by another user: nothing is written and the query stays in edit state.
    void postEdit()
    {
        const QString table = this->table();
        QList<int> written;
        for (int field : columnsOf(table)) {
            if (unchanged(field, pending.value(field)))
                pending.remove(field); // the row keeps what it had, a null included
            else
                written << field;
        }
        if (written.isEmpty())
            return;
        const Dialect &dialect = q->connection().dialect();
        QStringList assignments;
        QVariantList values;
        for (int field : written) {
            const FieldDef &def = result.columns[size_t(field)].def;
            assignments << dialect.quoteIdentifier(def.name) + u" = ?"_s;
            values << bound(pending.value(field), def.type);
        }
        const QVariant id = idOfCurrent();
        QStringList conditions{dialect.quoteIdentifier(u"id"_s) + u" = ?"_s};
        values << id;
        appendReadValueCondition(written, conditions, values);
        const QString sql = u"update "_s + dialect.quoteTable(table) + u" set "_s + assignments.join(u", "_s)
            + u" where "_s + conditions.join(u" and "_s);
        if (detail::execute(q->connection(), sql, values) == 0)
            throwChangedOrDeleted(table, id);
    }

    // A write by id found no row holding what was read: told apart by whether the row is still there.
    [[noreturn]] void throwChangedOrDeleted(const QString &table, const QVariant &id)
    {
        const Dialect &dialect = q->connection().dialect();
        const QString exists = u"select count(*) from "_s + dialect.quoteTable(table) + u" where "_s
                               + dialect.quoteIdentifier(u"id"_s) + u" = ?"_s;
        if (detail::toInteger(detail::scalar(q->connection(), exists, {id})) > 0)
            throw Error(message::rowChanged, Error::Kind::RowChanged);
        throw Error(message::rowDeleted, Error::Kind::RowDeleted);
    }

    void postInsert()
    {
        const QString table = this->table();
        QStringList columns;
        QVariantList values;
        for (int field : columnsOf(table)) {
            const FieldDef &def = result.columns[size_t(field)].def;
            columns << def.name;
            values << bound(pending.value(field), def.type);
        }
        const Dialect &dialect = q->connection().dialect();
        const int id = idField();
        // The database numbers the row unless the page gave the id itself (or the table has none).
        if (!tableHas(table, u"id"_s) || (id >= 0 && pending.value(id).isValid())) {
            QStringList quoted;
            for (const QString &column : columns)
                quoted << dialect.quoteIdentifier(column);
            const QVector<bool> noDefaults(columns.size(), false);
            detail::execute(q->connection(), dialect.insertWithDefaults(dialect.quoteTable(table), quoted, noDefaults),
                            values);
            return;
        }
        const QStringList statements = dialect.insertFetchingId(table, columns);
        QVariant newId;
        if (statements.size() == 1) {
            newId = detail::scalar(q->connection(), statements.front(), values);
        } else {
            detail::execute(q->connection(), statements.front(), values);
            newId = detail::scalar(q->connection(), statements.back(), {});
        }
        if (id >= 0)
            pending.insert(id, detail::normalise(newId, result.columns[size_t(id)].def.type));
    }

    void removeCurrentRow()
    {
        const int row = current;
        if (addedWhilePending > 0 && row >= count() - addedWhilePending)
            --addedWhilePending;
        order.erase(order.begin() + row);
        Q_EMIT q->rowRemoved(row);
        current = -2; // makes moveTo() report the row even when its index stays
        bof = order.empty();
        eof = order.empty();
        moveTo(std::min(row, count() - 1));
    }

    // Orders the rows by "field ASC|DESC" (empty: as fetched); the current row stays on its record.
    void applySort(const QString &text)
    {
        readAll();
        const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
        const int kept = current >= 0 ? order[size_t(current)] : -1;
        if (words.isEmpty()) {
            std::sort(order.begin(), order.end());
        } else {
            const bool descending = words.size() > 1 && words.at(1).compare(u"DESC"_s, Qt::CaseInsensitive) == 0;
            if (words.size() > 2
                || (words.size() == 2 && !descending && words.at(1).compare(u"ASC"_s, Qt::CaseInsensitive) != 0))
                throw Error(name + u": the sort \""_s + text + u"\" is not \"field ASC\" or \"field DESC\""_s);
            const int field = q->fieldByName(words.front()).index();
            if (result.columns[size_t(field)].def.calculated)
                fillAllCalculated();
            detail::sortRows(order, result.columns[size_t(field)], descending);
        }
        sort = text;
        if (kept >= 0)
            current = int(std::find(order.begin(), order.end(), kept) - order.begin());
    }

    int find(int field, const QVariant &wanted)
    {
        const Column &c = result.columns[size_t(field)];
        if (c.def.calculated) {
            readAll();
            fillAllCalculated();
        }
        const QByteArray wantedText = wanted.toString().toUtf8();
        for (int i = 0; (readForWalk(i), i < count()); ++i) {
            const int row = order[size_t(i)];
            if (!wanted.isValid() || c.isNull(row)) {
                if (!wanted.isValid() && c.isNull(row))
                    return i;
                continue;
            }
            switch (c.storage) {
            case detail::Storage::Text:
                if (c.textCells().bytes(row) == wantedText)
                    return i;
                break;
            case detail::Storage::Integer:
                if (c.integerAt(row) == wanted.toLongLong())
                    return i;
                break;
            case detail::Storage::Real:
                if (c.realAt(row) == wanted.toDouble())
                    return i;
                break;
            default:
                if (c.value(row) == wanted)
                    return i;
            }
        }
        return -1;
    }
};

// ---------------------------------------------------------------------------------------------- Query

Query::Query(Connection &connection, const QString &name, QObject *parent)
    : QObject(parent), connection_(connection), d(std::make_unique<Private>())
{
    setObjectName(name);
    d->q = this;
    d->name = name;
}

Query::~Query()
{
    // The connection forgets a read still pending: it would otherwise give it up, or read it, after this is gone.
    d->stopPending();
}

void Query::clear()
{
    close();
    d->lines.clear();
    d->lineValues.clear();
    d->tableOfColumns.clear();
}

void Query::add(const QString &line, const QVariantList &values)
{
    close();
    d->lines << line;
    d->lineValues << values;
    d->tableOfColumns.clear();
}

QStringList Query::lines() const
{
    return d->lines;
}

QString Query::text() const
{
    return d->lines.join(u'\n');
}

QVariantList Query::bindings() const
{
    QVariantList all;
    for (const QVariantList &values : d->lineValues)
        all << values;
    return all;
}

void Query::setDeclared(const QString &text)
{
    d->declared.clear();
    if (text.isEmpty())
        return;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        d->declared << line;
    }
}

void Query::restoreDeclared()
{
    clear();
    for (const QString &line : std::as_const(d->declared))
        add(line);
}

void Query::setDeclaredFields(const QVector<FieldDef> &fields)
{
    close();
    d->declaredFields = fields;
    d->installDeclared();
}

const QVector<FieldDef> &Query::declaredFields() const
{
    return d->declaredFields;
}

void Query::setCalcFields(std::function<void(Query &)> handler)
{
    d->calcFields = std::move(handler);
}

void Query::open()
{
    // Opening an open query leaves it as it is: pages open a query that may already be open and then
    // work on its current row.
    if (d->state != State::Inactive)
        return;
    d->openRows();
    d->state = State::Browse;
    d->sort.clear();
    Q_EMIT opened();
    Q_EMIT currentChanged(d->current);
    d->startBackground();
}

void Query::setIncremental(bool on)
{
    d->incremental = on;
}

bool Query::hasMoreRows() const
{
    return d->unread != nullptr;
}

int Query::fetchedCount() const
{
    return d->count();
}

void Query::fetchMore(int rows)
{
    if (d->unread)
        d->readSlice(std::max(rows, 1));
}

void Query::fetchAll()
{
    d->readAll();
}

void Query::setBackgroundFill(bool on)
{
    d->background = on;
    if (on)
        d->startBackground();
    else if (d->filler)
        d->filler->stop();
}

void Query::setBackgroundBudget(qsizetype bytes)
{
    d->backgroundBudget = bytes;
}

void Query::whenTotalled(const QStringList &fields, std::function<void(const Totals &)> done)
{
    d->requireActive();
    for (const QString &name : fields)
        fieldByName(name); // an unknown field is refused now, not when the rows are counted
    d->totals = std::make_unique<Private::TotalsRequest>();
    d->totals->fields = fields;
    d->totals->done = std::move(done);
    if (!d->unread) {
        d->deliverTotals(d->fromRows(fields, d->count()));
        return;
    }
    d->startBackground();
}

void Query::finishTotals()
{
    if (!d->totals)
        return;
    const ui::BusyCursor busy;
    if (d->totals->pass) {
        while (d->totals)
            d->countSlice();
        return;
    }
    d->readAll();
}

bool Query::totalsPending() const
{
    return d->totals != nullptr;
}

int Query::execSql()
{
    return detail::execute(connection_, text(), bindings());
}

void Query::close()
{
    d->stopPending();
    if (d->state == State::Inactive)
        return;
    d->state = State::Inactive;
    d->sort.clear();
    d->installDeclared();
    Q_EMIT opened();
    Q_EMIT currentChanged(-1);
}

bool Query::active() const
{
    return d->state != State::Inactive;
}

Query::State Query::state() const
{
    return d->state;
}

int Query::recordCount() const
{
    d->readAll();
    return d->count();
}

bool Query::isEmpty() const
{
    d->readUntil(0);
    return d->count() == 0;
}

int Query::recNo() const
{
    return d->current + 1;
}

void Query::setRecNo(int recNo)
{
    d->checkBrowseMode();
    d->readUntil(recNo - 1);
    if (d->order.empty())
        return;
    d->bof = d->eof = false;
    d->moveTo(std::clamp(recNo, 1, d->count()) - 1);
}

void Query::first()
{
    d->checkBrowseMode();
    d->readUntil(0);
    d->moveTo(d->order.empty() ? -1 : 0);
    d->bof = true;
    d->eof = d->order.empty();
}

void Query::last()
{
    d->checkBrowseMode();
    d->readAll();
    d->moveTo(d->count() - 1);
    d->eof = true;
    d->bof = d->order.empty();
}

void Query::next()
{
    d->checkBrowseMode();
    d->readForWalk(d->current + 1);
    if (d->current + 1 < d->count()) {
        d->bof = d->eof = false;
        d->moveTo(d->current + 1);
    } else {
        d->eof = true;
    }
}

void Query::prior()
{
    d->checkBrowseMode();
    if (d->current > 0) {
        d->bof = d->eof = false;
        d->moveTo(d->current - 1);
    } else {
        d->bof = true;
    }
}

bool Query::eof() const
{
    return d->state == State::Inactive || d->eof;
}

bool Query::bof() const
{
    return d->state == State::Inactive || d->bof;
}

bool Query::locate(const QString &fieldName, const QVariant &value)
{
    d->checkBrowseMode();
    const Field field = fieldByName(fieldName);
    const int row = d->find(field.index(), detail::normalise(value, field.type()));
    if (row < 0)
        return false;
    d->bof = d->eof = false;
    d->moveTo(row);
    return true;
}

QString Query::baseTable() const
{
    return detail::baseTableOf(text());
}

void Query::append()
{
    d->checkBrowseMode();
    for (Column &column : d->result.columns)
        column.appendNull();
    d->order.push_back(int(d->result.rows++));
    if (d->unread)
        ++d->addedWhilePending; // rows read later go before it
    d->state = State::Insert;
    d->pending.clear();
    Q_EMIT rowInserted(d->count() - 1);
    d->bof = d->eof = false;
    d->moveTo(d->count() - 1);
}

void Query::insert()
{
    d->checkBrowseMode();
    for (Column &column : d->result.columns)
        column.appendNull();
    const int at = std::max(d->current, 0);
    d->order.insert(d->order.begin() + at, int(d->result.rows++));
    d->state = State::Insert;
    d->pending.clear();
    Q_EMIT rowInserted(at);
    d->bof = d->eof = false;
    d->current = -2; // the new row takes the current row's index: still a move
    d->moveTo(at);
}

void Query::edit()
{
    d->requireActive();
    if (d->state != State::Browse)
        return;
    // Editing an empty list starts a new row, as the older engine did.
    if (d->order.empty()) {
        insert();
        return;
    }
    d->requireCurrent();
    d->pending.clear();
    d->state = State::Edit;
}

void Query::post()
{
    d->requireActive();
    if (d->state == State::Browse)
        return;
    if (d->state == State::Edit)
        d->postEdit();
    else
        d->postInsert();
    const int row = d->order[size_t(d->current)];
    for (auto it = d->pending.cbegin(); it != d->pending.cend(); ++it)
        d->result.columns[size_t(it.key())].set(row, it.value());
    d->pending.clear();
    d->state = State::Browse;
    d->calculate(d->current, d->current + 1);
    Q_EMIT rowChanged(d->current);
}

void Query::cancel()
{
    if (d->state == State::Insert) {
        d->state = State::Browse;
        d->pending.clear();
        d->removeCurrentRow();
        return;
    }
    if (d->state == State::Edit)
        d->state = State::Browse;
    d->pending.clear();
}

void Query::deleteRecord()
{
    d->requireActive();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    if (d->order.empty())
        throw Error(d->name + u": Cannot perform this operation on an empty dataset"_s);
    d->requireCurrent();
    d->pending.clear();
    d->state = State::Browse;
    // The row after it becomes current, one not read yet included: it is read first.
    if (d->unread && d->current + 1 == d->count() - d->addedWhilePending)
        d->readSlice(Private::scrollSlice);
    // The row goes only while it still holds what was read: a row another user changed meanwhile is not the one the
    // clerk chose to delete.
    const QString table = d->table();
    QList<int> read;
    for (int field = 0; field < fieldCount(); ++field)
        if (!d->result.columns[size_t(field)].def.calculated && d->tableHas(table, fieldName(field)))
            read << field;
    const Dialect &dialect = connection_.dialect();
    const QVariant id = d->idOfCurrent();
    QStringList conditions{dialect.quoteIdentifier(u"id"_s) + u" = ?"_s};
    QVariantList values{id};
    d->appendReadValueCondition(read, conditions, values);
    const QString sql = u"delete from "_s + dialect.quoteTable(table) + u" where "_s + conditions.join(u" and "_s);
    if (detail::execute(connection_, sql, values) == 0)
        d->throwChangedOrDeleted(table, id);
    d->removeCurrentRow();
}

void Query::refresh()
{
    d->checkBrowseMode();
    const int id = d->idField();
    const QVariant currentId = id >= 0 && d->current >= 0 ? field(id).value() : QVariant();
    const int kept = d->current;
    const QString sort = d->sort;
    d->openRows();
    d->sort.clear();
    if (!sort.isEmpty())
        d->applySort(sort);
    // The current row stays on its record. A record the list no longer holds leaves no row current: moving to a
    // neighbour would make the next edit, delete or rights save hit a record the clerk did not pick. A list without
    // ids keeps the position.
    int row = -1;
    if (currentId.isValid())
        row = d->find(id, detail::normalise(currentId, fieldType(id)));
    else if (id < 0)
        row = std::min(kept, d->count() - 1);
    d->current = row;
    Q_EMIT opened();
    Q_EMIT currentChanged(d->current);
    d->startBackground();
}

int Query::fieldCount() const
{
    return int(d->result.columns.size());
}

Field Query::field(int index)
{
    d->column(index);
    return Field(this, index);
}

Field Query::fieldByName(const QString &name)
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw Error(d->name + u": Field '"_s + name + u"' not found"_s);
    return Field(this, index);
}

int Query::fieldIndex(const QString &name) const
{
    return d->byName.value(name.toCaseFolded(), -1);
}

QString Query::fieldName(int index) const
{
    return d->column(index).def.name;
}

FieldType Query::fieldType(int index) const
{
    return d->column(index).def.type;
}

bool Query::isCalculated(int index) const
{
    return d->column(index).def.calculated;
}

QVariant Query::valueAt(int row, int column) const
{
    d->readUntil(row);
    if (row < 0 || row >= d->count() || column < 0 || column >= fieldCount())
        return QVariant();
    const Column &c = d->cellColumn(row, column);
    return detail::toPublic(c.value(d->order[size_t(row)]), c.def.type);
}

bool Query::isNullAt(int row, int column) const
{
    d->readUntil(row);
    if (row < 0 || row >= d->count() || column < 0 || column >= fieldCount())
        return true;
    return d->cellColumn(row, column).isNull(d->order[size_t(row)]);
}

QString Query::textAt(int row, int column) const
{
    d->readUntil(row);
    if (row < 0 || row >= d->count() || column < 0 || column >= fieldCount())
        return QString();
    return d->cellColumn(row, column).text(d->order[size_t(row)]);
}

void Query::setSort(const QString &sort)
{
    d->checkBrowseMode();
    d->applySort(sort);
    Q_EMIT opened();
    Q_EMIT currentChanged(d->current);
}

QString Query::sort() const
{
    return d->sort;
}

// ---------------------------------------------------------------------------------------------- Field

QString Field::name() const
{
    return query_->fieldName(index_);
}

FieldType Field::type() const
{
    return query_->fieldType(index_);
}

int Field::size() const
{
    return query_->d->column(index_).def.size;
}

bool Field::isNull() const
{
    return !query_->d->read(index_).isValid();
}

QString Field::asString() const
{
    return detail::toText(query_->d->read(index_), type());
}

qint64 Field::asInteger() const
{
    return detail::toInteger(query_->d->read(index_));
}

double Field::asFloat() const
{
    return detail::toFloat(query_->d->read(index_));
}

qint64 Field::asCurrency() const
{
    return detail::toCurrency(query_->d->read(index_));
}

QVariant Field::value() const
{
    return detail::toPublic(query_->d->read(index_), type());
}

QByteArray Field::asBytes() const
{
    return query_->d->read(index_).toByteArray();
}

void Field::setValue(const QVariant &value)
{
    query_->d->write(index_, value);
}

void Field::loadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(u"Cannot open file \""_s + path + u"\": "_s + file.errorString());
    setValue(file.readAll());
}

void Field::saveToFile(const QString &path) const
{
    const QByteArray bytes = asBytes();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw Error(u"Cannot write file \""_s + path + u"\": "_s + file.errorString());
}

void writeRow(Query &query, Query::State mode, const std::function<void(Query &)> &fill)
{
    const int before = query.recNo();
    if (mode == Query::State::Insert)
        query.append();
    else if (mode == Query::State::Edit)
        query.edit();
    else
        throw Error(u"A row is written by insert or edit"_s);
    try {
        fill(query);
        query.post();
    } catch (...) {
        // The refused row goes, and the current row is the one the user had before.
        query.cancel();
        if (before > 0)
            query.setRecNo(before);
        throw;
    }
}

} // namespace db
