// This workstation's address and the names of addresses, for the audit rows. Each is looked up once per
// run: a row is written on every save, and a name look-up may have to wait for the network.
#include "platform/platform.h"
#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QMutex>
#include <QNetworkInterface>

namespace platform {

namespace {

bool isIpv4(const QHostAddress &address)
{
    return address.protocol() == QAbstractSocket::IPv4Protocol;
}

// The address of an interface that is up, the loopback left out.
QString interfaceAddress()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            if (isIpv4(entry.ip()) && !entry.ip().isLoopback())
                return entry.ip().toString();
    }
    return QString();
}

// The host entry of this machine's own name, as a last resort: an address off the loopback if it has one.
QString hostEntryAddress()
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError)
        return QString();
    QString loopback;
    const QList<QHostAddress> addresses = info.addresses();
    for (const QHostAddress &address : addresses) {
        if (!isIpv4(address))
            continue;
        if (!address.isLoopback())
            return address.toString();
        if (loopback.isEmpty())
            loopback = address.toString();
    }
    return loopback;
}

QString lookUpName(const QString &text)
{
    QHostAddress address;
    // Only an IPv4 address text is looked up; any other text would start a search for a host of that name.
    if (!address.setAddress(text.trimmed()) || !isIpv4(address))
        return QString();
    const QHostInfo info = QHostInfo::fromName(address.toString());
    const QString name = info.hostName();
    // A reverse look-up that finds no name gives back the address itself.
    if (info.error() != QHostInfo::NoError || name.isEmpty() || QHostAddress(name) == address)
        return QString();
    return name;
}

} // namespace

QString localIp()
{
    static const QString address = [] {
        const QString found = interfaceAddress();
        return found.isEmpty() ? hostEntryAddress() : found;
    }();
    return address;
}

QString hostNameOf(const QString &address)
{
    static QMutex mutex;
    static QHash<QString, QString> names;
    QMutexLocker lock(&mutex);
    const auto known = names.constFind(address);
    if (known != names.constEnd())
        return *known;
    const QString name = lookUpName(address);
    names.insert(address, name);
    return name;
}

QString ownHostName()
{
    return QHostInfo::localHostName();
}

} // namespace platform
