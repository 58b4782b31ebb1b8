#pragma once
// A list page's search in this process, its filters set: from the search button's click until the rows are
// all in the grid and the labels shown, against the raw read of the same rows followed by the bare aggregate of
// the same labels. Best of three; the peak memory of the result.
#include <QString>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QLabel;
class QTableView;

namespace db {
class Query;
}

namespace bench {

struct SearchedPage {
    QString name;                      // "purchases 1M", the figures' prefix
    db::Query *list = nullptr;         // for the statement the search ran, read once it did
    QAbstractButton *search = nullptr;
    QTableView *grid = nullptr;
    QLabel *count = nullptr;
    QList<QLabel *> labels;            // every label the search fills, the count's included
    QStringList summed;                // the columns the labels sum
    QString memoryTarget;              // the result's memory at most (MB); empty: none
};

void searchFigure(const QString &path, const SearchedPage &page, double limit);

} // namespace bench
