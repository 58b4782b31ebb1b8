// The query's statement, its opening and closing, and its fields.
#include "db/query.h"
#include "db/query_private.h"
#include "db/sqltext.h"
#include "db/statement.h"
#include <QFile>

namespace db {

using namespace Qt::StringLiterals;
using detail::Column;

void Query::Private::install(detail::ResultSet &&rows)
{
    result = std::move(rows);
    byName.clear();
    for (int i = int(result.columns.size()) - 1; i >= 0; --i)
        byName.insert(result.columns[size_t(i)].def.name.toCaseFolded(), i);
    order.reset(int(result.rows));
    pending.clear();
    // Calculated fields are filled when a row's value is first read, not for every row fetched.
    std::vector<bool>().swap(calculated);
    atFirst();
}

void Query::Private::installDeclared()
{
    detail::ResultSet shell;
    for (const FieldDef &def : std::as_const(declaredFields))
        shell.columns.emplace_back(def, detail::storageOf(def.type));
    install(std::move(shell));
}

void Query::Private::dropRows()
{
    state = State::Inactive;
    sort.clear();
    installDeclared();
    Q_EMIT q->opened();
    Q_EMIT q->currentChanged(-1);
}

void Query::Private::atFirst()
{
    current = count() > 0 ? 0 : -1;
    bof = true;
    eof = count() == 0;
}

void Query::Private::requireActive() const
{
    if (state == State::Inactive)
        throw Error(name + u": Cannot perform this operation on a closed dataset"_s);
}

// A list may have rows and none current (after a refresh that no longer finds it).
void Query::Private::requireCurrent() const
{
    if (current < 0)
        throw Error(name + u": No current record"_s);
}

Column &Query::Private::column(int field)
{
    if (field < 0 || field >= int(result.columns.size()))
        throw Error(name + u": Field index out of range"_s);
    return result.columns[size_t(field)];
}

QVariant Query::Private::read(int field)
{
    const Column &c = column(field);
    if (calculating)
        return c.value(calcRow);
    if (current < 0)
        return QVariant();
    if (c.def.calculated)
        fillCalculated(storedAt(current));
    if (state != State::Browse) {
        const auto buffered = pending.constFind(field);
        if (buffered != pending.cend())
            return *buffered;
    }
    return c.value(storedAt(current));
}

void Query::Private::write(int field, const QVariant &value)
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

// ---------------------------------------------------------------------------------------------- Query

Query::Query(Connection &connection, const QString &name, QObject *parent)
    : QObject(parent), connection_(connection), d(std::make_unique<Private>(this, name))
{
    setObjectName(name);
}

Query::~Query()
{
    // What is still read or counted goes now: the connection forgets the read, the aggregate its answer.
    d->totals.reset();
    d->reading.reset();
}

void Query::clear()
{
    close();
    d->lines.clear();
    d->lineValues.clear();
    d->ordering.clear();
    d->writer.forget();
}

void Query::add(const QString &line, const QVariantList &values)
{
    close();
    d->lines << line;
    d->lineValues << values;
    d->writer.forget();
}

QStringList Query::lines() const
{
    return d->lines;
}

void Query::setOrdering(const QString &orderBy)
{
    close();
    d->ordering = orderBy;
}

QString Query::text() const
{
    const QString lines = d->lines.join(u'\n');
    return d->ordering.isEmpty() ? lines : lines + u'\n' + d->ordering;
}

QVariantList Query::bindings() const
{
    QVariantList all;
    for (const QVariantList &values : std::as_const(d->lineValues))
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
    d->startReading();
}

void Query::setIncremental(bool on)
{
    d->incremental = on;
}

int Query::execSql()
{
    return detail::execute(connection_, text(), bindings());
}

void Query::close()
{
    d->stopReading();
    d->totals.reset();
    if (d->state != State::Inactive || d->count() > 0)
        d->dropRows();
}

bool Query::active() const
{
    return d->state != State::Inactive;
}

Query::State Query::state() const
{
    return d->state;
}

QString Query::baseTable() const
{
    return detail::baseTableOf(text());
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
    return detail::toPublic(c.value(d->storedAt(row)), c.def.type);
}

bool Query::isNullAt(int row, int column) const
{
    d->readUntil(row);
    if (row < 0 || row >= d->count() || column < 0 || column >= fieldCount())
        return true;
    return d->cellColumn(row, column).isNull(d->storedAt(row));
}

QString Query::textAt(int row, int column) const
{
    d->readUntil(row);
    if (row < 0 || row >= d->count() || column < 0 || column >= fieldCount())
        return QString();
    return d->cellColumn(row, column).text(d->storedAt(row));
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

} // namespace db
