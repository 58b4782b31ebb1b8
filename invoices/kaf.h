#pragma once
// The register's texts hold either kaf: the Arabic "ك" (U+0643) that older workstations typed, and that the
// entry form puts in where the user asks for it (leaving the remarks, the levy beside the shop box, a caption's
// change of a whole column), and the Persian "ک" (U+06A9) that a Persian keyboard types. Stored texts keep the
// letter they were saved with; a look-up or filter compares the two letters made alike on both sides, so it
// finds a row whichever kaf the row or the typed text holds.
#include <QString>
#include <QVariantList>

namespace invoices {

// Every Persian kaf of the text replaced by the Arabic kaf.
QString arabicKaf(QString text);

// A condition on a text column that holds whichever kaf: its text and its bound values, in order.
struct KafCondition {
    QString text;
    QVariantList values;
};
// "replace(<column>,?,?)<comparison>?": the column with its Persian kafs made Arabic (the same function on
// SQLite and SQL Server) compared with the searched text made so too; comparison "=" or " like ". No index
// serves it.
KafCondition eitherKaf(const QString &column, const QString &comparison, const QString &searched);

} // namespace invoices
