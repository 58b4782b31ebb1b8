#pragma once
// A select read to its end in slices between the user's events, for an answer that may come a moment after
// the page is shown: the distinct texts of a page's pick lists, read from a register of a million rows
// without holding the page back. The rows are not kept.
#include "db/connection.h"
#include <QObject>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

namespace db {

class DistinctTexts : public QObject {
    Q_OBJECT
public:
    // Each column's distinct texts in the order they first come (a null read as ""), handed to `done` after
    // the last row. Destroyed before that, it reads nothing more and hands nothing over.
    DistinctTexts(Connection &connection, const QString &sql, std::function<void(const QVector<QStringList> &)> done,
                  QObject *parent = nullptr);
    ~DistinctTexts() override;

    void finish(); // the rest read now
    bool finished() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace db
