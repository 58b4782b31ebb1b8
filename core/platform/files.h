#pragma once
// Files the program writes out of the database: into this run's private temporary folder or where the user
// chose, under names that cannot leave their folder, written whole or not at all, then opened with the
// desktop. A failure throws db::Error with the path.
#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace platform {

// This run's own temporary folder, readable by this user only; made on first use and kept after the
// program ends, since the program a file was opened with may still be reading it.
QString privateTempFolder();

// A stored text made one plain file name: path separators, colons and control characters become "_", the
// invisible marks that reorder text (U+202E...) and leading dots and blanks go ("../x" -> "_x", "a/b" ->
// "a_b"), and a name too long for the file system is shortened before its extension. May be empty.
QString cleanFileName(const QString &name);

// Writes the bytes to the path through a temporary file renamed over it only when complete, so the path
// holds the old file or the new one, never a part; the file gets no execute permission.
void writeFileAtomically(const QString &path, const QByteArray &bytes);
// The same for a file written piece by piece: false (nothing written) when write gave up.
bool writeFileAtomically(const QString &path, const std::function<bool(QIODevice &file)> &write);

// A path in the private temporary folder under the cleaned name, numbered ("x-2.jpg") when the name is taken.
QString freeTempPath(const QString &name);
// Writes the bytes there; returns the file's path.
QString writeTempFile(const QString &name, const QByteArray &bytes);

// A stored file extension ("." and what follows it) made safe to append to a name: path separators, colons
// and control characters become "_", the marks that reorder text go.
QString cleanExtension(const QString &extension);

// The path a stored file is written to when the user chose `chosen` in a save dialog: the stored extension
// (cleaned) is appended unless the chosen name already ends with it (letter case aside).
QString withExtension(const QString &chosen, const QString &extension);

// The path a file is written to when the user chose `chosen` in a save dialog, under withExtension(). The
// save dialog asked about the name it returned; when the extension made it another name whose file exists,
// the user is asked before it is replaced. Empty text when the user keeps the existing file.
QString confirmedPath(const QString &chosen, const QString &extension);

// Writes a stored file where the user chose, at confirmedPath(). Returns the path written, or empty text
// when the user kept the existing file.
QString writeChosenFile(const QString &chosen, const QString &extension, const QByteArray &bytes);

// Opens the file with the desktop's program for it; when nothing opens it, tells the user where it is.
void openOrTell(const QString &path);

} // namespace platform
