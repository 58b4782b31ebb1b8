#include "platform/platform.h"

namespace platform {

namespace {

// The stored spellings of a name, the exact one first.
QStringList spellingsOf(const QSettings &store, const QString &name)
{
    QStringList found;
    if (store.contains(name))
        found.append(name);
    const QStringList keys = store.childKeys();
    for (const QString &key : keys)
        if (key != name && key.compare(name, Qt::CaseInsensitive) == 0)
            found.append(key);
    return found;
}

} // namespace

std::unique_ptr<QSettings> settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisationName());
}

QString settingText(const QSettings &store, const QString &name)
{
    const QStringList spellings = spellingsOf(store, name);
    return spellings.isEmpty() ? QString() : store.value(spellings.first()).toString();
}

void setSettingText(QSettings &store, const QString &name, const QString &text)
{
    const QStringList spellings = spellingsOf(store, name);
    for (const QString &key : spellings)
        if (key != name)
            store.remove(key);
    store.setValue(name, text);
}

} // namespace platform
