#pragma once
// Files on disk for the attachment tests, and a file added through an attachments form as a user adds one:
// the description typed, the file chosen in the open dialog (none: the dialog cancelled), the button clicked.
#include <QByteArray>
#include <QString>

class QAbstractButton;
class QComboBox;
class TestEnv;

// Writes the bytes to the path, making its folders; returns the path.
QString writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

void addFile(TestEnv &env, QComboBox *description, QAbstractButton *add, const QString &text,
             const QString &chosen = QString());
