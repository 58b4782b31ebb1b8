#include "db/querymodel.h"
#include "db/feedback.h"
#include "persian/amount.h"
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <utility>

namespace db {

using namespace Qt::StringLiterals;

namespace {

// "1250000" -> "1,250,000": the grid's money format; the sign stays outside the groups.
QString grouped(qint64 value)
{
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const QString digits = amount::DIGITS(QString::number(magnitude));
    return value < 0 ? u'-' + digits : digits;
}

// Work the grid asks of the query: a failure is told, nobody else being there to catch it.
template <typename Work>
bool told(Work work)
{
    try {
        work();
        return true;
    } catch (const Error &error) {
        feedback::failed(error);
    } catch (const std::exception &error) {
        feedback::failed(Error(QString::fromUtf8(error.what())));
    }
    return false;
}

} // namespace

QueryModel::QueryModel(Query &query, QObject *parent) : QAbstractTableModel(parent), query_(&query)
{
    connect(&query, &Query::opened, this, &QueryModel::reset);
    connect(&query, &QObject::destroyed, this, &QueryModel::queryGone);
    connect(&query, &Query::rowInserted, this, [this](int row) {
        announceRead();
        beginInsertRows({}, row, row);
        ++rows_;
        endInsertRows();
    });
    connect(&query, &Query::rowRemoved, this, [this](int row) {
        announceRead();
        beginRemoveRows({}, row, row);
        --rows_;
        endRemoveRows();
    });
    connect(&query, &Query::rowChanged, this, [this](int row) {
        announceRead();
        if (columnCount() > 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    // Rows read since the list opened come in below those shown. Rows read in turns are told to the grid a few
    // times a second, not at every turn: each telling lays the grid out again. The last of them are told at once.
    announce_.setSingleShot(true);
    announce_.setInterval(250);
    connect(&announce_, &QTimer::timeout, this, &QueryModel::announceRead);
    connect(&query, &Query::rowsFetched, this, [this](int first, int last) {
        if (rows_ > 0 && first == rows_ + unannounced_) {
            unannounced_ += last - first + 1;
            if (!query_->hasMoreRows())
                announceRead();
            else if (!announce_.isActive())
                announce_.start();
            return;
        }
        announceRead();
        beginInsertRows({}, first, last);
        rows_ += last - first + 1;
        endInsertRows();
    });
    connect(&query, &Query::currentChanged, this, [this](int row) {
        announceRead();
        followCurrentRow(row);
    });
    mapFields();
    rows_ = query.fetchedCount();
}

void QueryModel::queryGone()
{
    announce_.stop();
    beginResetModel();
    fieldIndex_.clear();
    rows_ = unannounced_ = 0;
    endResetModel();
}

void QueryModel::announceRead()
{
    announce_.stop();
    if (unannounced_ == 0)
        return;
    beginInsertRows({}, rows_, rows_ + unannounced_ - 1);
    rows_ += std::exchange(unannounced_, 0);
    endInsertRows();
}

void QueryModel::reset()
{
    announce_.stop();
    unannounced_ = 0;
    beginResetModel();
    mapFields();
    rows_ = query_ ? query_->fetchedCount() : 0;
    endResetModel();
    applyWidths();
    applyHidden();
    fitColumnsOnce();
}

// Hidden columns (a row's `id`) stay hidden through every new list and every change of the columns.
void QueryModel::applyHidden()
{
    if (!view_)
        return;
    for (int column = 0; column < columns_.size(); ++column)
        view_->setColumnHidden(column, columns_.at(column).hidden);
}

// The first rows shown size the columns without a declared width to their texts, so Persian texts are not cut
// short; later searches keep whatever widths the user has set since. Only the first rows are measured.
void QueryModel::fitColumnsOnce()
{
    // Measured only on a shown view: a hidden one has no settled fonts yet.
    if (!view_ || fitted_ || rows_ == 0 || !view_->isVisible())
        return;
    fitted_ = true;
    constexpr int measuredRows = 200;
    constexpr int widest = 320;
    view_->horizontalHeader()->setResizeContentsPrecision(measuredRows);
    for (int column = 0; column < columns_.size() || (columns_.isEmpty() && column < columnCount()); ++column) {
        if (!columns_.isEmpty() && (columns_.at(column).width > 0 || columns_.at(column).hidden))
            continue;
        view_->resizeColumnToContents(column);
        view_->setColumnWidth(column, std::min(view_->columnWidth(column), widest));
    }
}

void QueryModel::mapFields()
{
    fieldIndex_.clear();
    if (!query_)
        return;
    if (columns_.isEmpty()) {
        for (int i = 0; i < query_->fieldCount(); ++i)
            fieldIndex_ << i;
        return;
    }
    for (const GridColumn &column : std::as_const(columns_))
        fieldIndex_ << query_->fieldIndex(column.field);
}

void QueryModel::setColumns(const QVector<GridColumn> &columns)
{
    columns_ = columns;
    reset();
}

QString QueryModel::fieldOfColumn(int column) const
{
    if (column < 0 || column >= fieldIndex_.size())
        return QString();
    return columns_.isEmpty() ? query_->fieldName(fieldIndex_.at(column)) : columns_.at(column).field;
}

int QueryModel::columnOfField(const QString &field) const
{
    for (int column = 0; column < columnCount(); ++column) {
        if (fieldOfColumn(column).compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

void QueryModel::setRowBackground(std::function<QColor(const Query &, int)> rule)
{
    rowBackground_ = std::move(rule);
    if (rows_ > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1), {Qt::BackgroundRole});
}

void QueryModel::setLatinFont(const QFont &font)
{
    latinFont_ = font;
}

void QueryModel::setBoldColumn(int column)
{
    const int previous = boldColumn_;
    boldColumn_ = column;
    for (int section : {previous, column}) {
        if (section >= 0 && section < columnCount())
            Q_EMIT headerDataChanged(Qt::Horizontal, section, section);
    }
}

void QueryModel::attach(QTableView *view)
{
    view_ = view;
    view->setModel(this);
    view->setLayoutDirection(Qt::RightToLeft);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Titles are regular weight; only the sorted column's title is bold (the header would otherwise bold the
    // current cell's column and hide which column the list is sorted by).
    view->horizontalHeader()->setHighlightSections(false);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { viewRowChanged(current.row()); });
    applyWidths();
    applyHidden();
    view->installEventFilter(this);
    fitColumnsOnce();
    followCurrentRow(query_ ? query_->recNo() - 1 : -1);
}

// Watches its own view only, so `watched` is never compared with it: a view being destroyed still sends events
// (its focus cleared) when it is no longer a QTableView.
bool QueryModel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show)
        fitColumnsOnce();
    return QAbstractTableModel::eventFilter(watched, event);
}

void QueryModel::applyWidths()
{
    if (!view_)
        return;
    for (int column = 0; column < columns_.size(); ++column) {
        if (columns_.at(column).width > 0)
            view_->setColumnWidth(column, columns_.at(column).width);
    }
}

// The query's current row moved: the view's current row follows.
void QueryModel::followCurrentRow(int row)
{
    if (!view_ || syncing_ || !view_->selectionModel())
        return;
    syncing_ = true;
    QItemSelectionModel *selection = view_->selectionModel();
    if (row < 0 || row >= rows_ || columnCount() == 0) {
        selection->clear();
    } else {
        const int column = std::max(selection->currentIndex().column(), 0);
        selection->setCurrentIndex(index(row, std::min(column, columnCount() - 1)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    syncing_ = false;
}

// The user moved the view's current row: the query's current row follows.
void QueryModel::viewRowChanged(int row)
{
    if (syncing_ || row < 0 || !query_ || row + 1 == query_->recNo())
        return;
    syncing_ = true;
    // Moving stores a pending edit; a refused store keeps the query where it is, and the view goes back.
    const bool moved = told([&] { query_->setRecNo(row + 1); });
    syncing_ = false;
    if (!moved && query_)
        followCurrentRow(query_->recNo() - 1);
}

bool QueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && query_ && (unannounced_ > 0 || query_->hasMoreRows());
}

// The grid reached the last row it was told of: the rows read meanwhile, or the next rows read now.
void QueryModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid())
        return;
    if (unannounced_ > 0)
        announceRead();
    else
        told([this] { query_->fetchMore(scrollSlice); });
}

int QueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int QueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(fieldIndex_.size());
}

QVariant QueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !query_ || index.row() >= rows_ || index.column() >= fieldIndex_.size())
        return QVariant();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const int field = fieldIndex_.at(index.column());
        if (field < 0 || query_->isNullAt(row, field))
            return QVariant();
        // An amount shows grouped; a stored text that is no amount shows as it is.
        if (const QVariant value = query_->valueAt(row, field);
            query_->fieldType(field) == FieldType::Money && value.typeId() == QMetaType::LongLong)
            return grouped(value.toLongLong());
        return query_->textAt(row, field);
    }
    case Qt::TextAlignmentRole:
        if (!columns_.isEmpty() && columns_.at(index.column()).alignment != Qt::Alignment())
            return QVariant::fromValue(columns_.at(index.column()).alignment | Qt::AlignVCenter);
        return QVariant();
    case Qt::FontRole:
        if (!columns_.isEmpty() && columns_.at(index.column()).latin)
            return latinFont_;
        return QVariant();
    case Qt::BackgroundRole:
        if (rowBackground_) {
            const QColor colour = rowBackground_(*query_, row);
            if (colour.isValid())
                return colour;
        }
        return QVariant();
    default: return QVariant();
    }
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        if (!columns_.isEmpty() && !columns_.at(section).title.isEmpty())
            return columns_.at(section).title;
        return fieldOfColumn(section);
    }
    if (role == Qt::FontRole) {
        QFont font = view_ ? view_->horizontalHeader()->font() : QFont();
        font.setBold(section == boldColumn_);
        return font;
    }
    if (role == Qt::BackgroundRole && !columns_.isEmpty() && columns_.at(section).titleBackground.isValid())
        return columns_.at(section).titleBackground;
    return QVariant();
}

} // namespace db
