#pragma once
// The repeat checks of the entry forms: whether a row of a table already holds some values. Inside a write
// transaction the read holds what it read (Dialect::lockedTable), so the check and the write it guards see
// the same rows even when two users save at once.
#include <QList>
#include <QString>
#include <QVariant>

namespace pagekit {

struct Match {
    QString column;
    QVariant value; // compared with "="; a null value matches no row
};

// Whether a row of the table holds every value, the row whose id is exceptId (an edited row) left out.
// Runs on the data module's general query ADOQuery1.
bool rowExists(const QString &table, const QList<Match> &matches, const QVariant &exceptId = QVariant());

} // namespace pagekit
