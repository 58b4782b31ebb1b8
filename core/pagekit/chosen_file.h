#pragma once
// A file the user chose to store in the database, checked and read whole before any row is started, so a
// refused file stores nothing and no row is left half-made.
#include <QByteArray>
#include <QString>

class QWidget;
namespace db {
class Connection;
}

namespace attachments {

// The longest extension, its dot included, that the attachment tables' `pictype` holds.
inline constexpr int maxExtension = 5;

// The extension a file is stored with: the text from the last dot of its name ("x.tar.gz" gives ".gz"),
// empty when the name has none. Dots in the folder's name play no part.
QString fileExtension(const QString &path);

// The largest file the connection's engine keeps in one row.
qint64 largestFile(db::Connection &connection);

// The bytes of the chosen file, when it is a regular, readable file whose extension fits `pictype` and
// whose size the engine holds. Otherwise throws ui::Refusal naming the file, with `field` to focus; the
// extension is judged before anything is read.
QByteArray readChosenFile(const QString &path, db::Connection &connection, QWidget *field);

} // namespace attachments
