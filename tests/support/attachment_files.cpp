#include "attachment_files.h"
#include "testenv.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addFile(TestEnv &env, QComboBox *description, QAbstractButton *add, const QString &text, const QString &chosen)
{
    description->setEditText(text);
    env.dialogs.files.clear(); // a file left by an add refused before its dialog is not offered again
    if (!chosen.isEmpty())
        env.dialogs.files.enqueue(chosen);
    add->click();
}
