#pragma once
// A form's control by its component name, as the pages reach each other's controls; a missing one ends the
// test at once with its name.
#include <QObject>
#include <QString>
#include <QtGlobal>

template <typename T> T *control(const QObject *form, const char *name)
{
    T *found = form->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no control %s", qPrintable(form->objectName()), name);
    return found;
}
