#pragma once
// Shows a Query in a QTableView: its columns (with titles, hidden columns and widths), right to left,
// following every change of the query at once and keeping the view's current row and the query's the same.
#include "db/query.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <functional>

class QTableView;

namespace db {

struct GridColumn {
    QString field;
    QString title;                  // empty: the field name
    int width = 0;                  // 0: fitted to the first rows
    bool hidden = false;            // kept for the rows' identity (`id`), not shown
    Qt::Alignment alignment = {};   // the cells' alignment; none: by the field's type
    QColor titleBackground = {};    // the title's background; invalid: the header's own
    bool latin = false;             // the cells drawn in the Latin font the kit gives (a time)
};

class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryModel(Query &query, QObject *parent = nullptr);

    Query &query() const { return *query_; }
    Query *liveQuery() const { return query_.data(); } // null once the query is destroyed

    // The grid's columns, in order; with none set every field of the query shows under its own name.
    void setColumns(const QVector<GridColumn> &columns);
    const QVector<GridColumn> &columns() const { return columns_; }
    QString fieldOfColumn(int column) const;
    int columnOfField(const QString &field) const; // -1 when not shown

    // A row colour decided by the page (for example paid purchases in green); invalid: the default.
    void setRowBackground(std::function<QColor(const Query &, int row)> rule);
    void setBoldColumn(int column); // the title of this column shows bold; -1 for none
    void setLatinFont(const QFont &font); // the font of the columns marked latin

    // Binds a view: model, selection and current row both ways, right to left.
    void attach(QTableView *view);

    int rowCount(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void queryGone();
    void reset();
    void announceRead(); // tells the grid of the rows read and not told yet
    void mapFields();
    void applyWidths();
    void applyHidden();
    void fitColumnsOnce();
    void followCurrentRow(int row);
    void viewRowChanged(int row);
    QPointer<Query> query_; // a list destroyed before its grid leaves the grid empty
    QVector<GridColumn> columns_;
    QVector<int> fieldIndex_;
    std::function<QColor(const Query &, int)> rowBackground_;
    int boldColumn_ = -1;
    QFont latinFont_;
    QPointer<QTableView> view_;
    bool syncing_ = false;
    bool fitted_ = false;
    int rows_ = 0; // the row count the view was last told about
    static constexpr int scrollSlice = 2000;
    int unannounced_ = 0; // rows read after rows_, not told to the grid yet
    QTimer announce_;
};

} // namespace db
