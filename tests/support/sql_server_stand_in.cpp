#include "support/sql_server_stand_in.h"
#include <arpa/inet.h>
#include <algorithm>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr int preLogin = 0x12, login = 0x10, attention = 0x06;

// One whole message of the client (its packets up to the last): type and payload.
bool readMessage(int socket, int &type, QByteArray &payload)
{
    payload.clear();
    for (;;) {
        char header[8];
        if (::recv(socket, header, 8, MSG_WAITALL) != 8)
            return false;
        type = quint8(header[0]);
        QByteArray part((quint8(header[2]) << 8 | quint8(header[3])) - 8, Qt::Uninitialized);
        if (::recv(socket, part.data(), size_t(part.size()), MSG_WAITALL) != part.size())
            return false;
        payload += part;
        if (header[1] & 0x01)
            return true;
    }
}

// The tokens: a "done", and one that acknowledges a cancel; the pre-login answer (version, no encryption);
// the login acknowledgement (interface, TDS 7.4, the name "Fake", the server's version) and a done; the
// metadata of a nullable int column "n" and the rows 1 and 2 of a result never ended.
const QByteArray done = QByteArray::fromHex("FD000000000000000000000000");
const QByteArray cancelDone = QByteArray::fromHex("FD200000000000000000000000");
const QByteArray preLoginAnswer = QByteArray::fromHex("00000B000601001100 01FF 0F0007D00000 02");
const QByteArray loginAcknowledged =
    QByteArray::fromHex("AD1200 01 74000004 04 460061006B006500 0F0007D0 FD000000000000000000000000");
const QByteArray intColumn = QByteArray::fromHex("810100 0000000001002604 01 6E00");
const QByteArray twoRowsOfMore = intColumn + QByteArray::fromHex("D10401000000 D10402000000");

// A reply, in packets of the size every client takes.
void reply(int socket, const QByteArray &payload)
{
    constexpr qsizetype room = 4096 - 8;
    for (qsizetype at = 0; at < payload.size(); at += room) {
        const QByteArray part = payload.mid(at, room);
        const int size = int(part.size()) + 8;
        const QByteArray packet = QByteArray::fromHex("04") + char(at + room >= payload.size()) + char(size >> 8)
                                  + char(size & 0xff) + QByteArray::fromHex("00000100") + part;
        ::send(socket, packet.constData(), size_t(packet.size()), MSG_NOSIGNAL);
    }
}

QByteArray numbers(int count)
{
    QByteArray payload = intColumn;
    for (int n = 1; n <= count; ++n)
        payload += QByteArray::fromHex("D104") + char(n & 0xff) + char((n >> 8) & 0xff) + char(0) + char(0);
    return payload + done;
}

bool holds(const QByteArray &request, const QString &text)
{
    return request.contains(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
}

bool anyHolds(const std::vector<QByteArray> &requests, const QString &text)
{
    return std::any_of(requests.cbegin(), requests.cend(), [&](const QByteArray &r) { return holds(r, text); });
}

} // namespace

SqlServerStandIn::SqlServerStandIn(Silence silence) : silence_(silence)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr *>(&address), size);
    ::listen(listener_, 4);
    ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &size);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { accept(); });
}

SqlServerStandIn::~SqlServerStandIn()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        for (const auto &[client, word] : clients_)
            ::shutdown(client, SHUT_RDWR);
    }
    ::shutdown(listener_, SHUT_RDWR);
    acceptor_.join();
    ::close(listener_);
    for (std::thread &server : servers_)
        server.join();
}

QString SqlServerStandIn::connectionString() const
{
    return u"DRIVER=FreeTDS;SERVER=127.0.0.1;PORT="_s + QString::number(port_)
           + u";DATABASE=tavrel;UID=sa;PWD=x;TDS_Version=7.4;ClientCharset=UTF-8"_s;
}

bool SqlServerStandIn::received(const QString &text) const
{
    const std::lock_guard lock(mutex_);
    return anyHolds(requests_, text);
}

void SqlServerStandIn::waitForRequest(const QString &text) const
{
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [&] { return anyHolds(requests_, text); });
}

QStringList SqlServerStandIn::cancelled() const
{
    const std::lock_guard lock(mutex_);
    return cancelled_;
}

void SqlServerStandIn::accept()
{
    for (int client; (client = ::accept(listener_, nullptr, nullptr)) >= 0;) {
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            ::close(client);
            return;
        }
        if (refusing_) {
            ::close(client);
            continue;
        }
        clients_[client] = QString();
        servers_.emplace_back([this, client] { serve(client); });
    }
}

// A client cancelled the statement it waited on: every "hold" of the others is answered now, its own "hold" is
// acknowledged as cancelled, a "silent" one gets no word. Called with the mutex held.
void SqlServerStandIn::cancel(int client)
{
    const QString word = std::exchange(clients_[client], QString());
    cancelled_ << word;
    if (word == u"hold"_s)
        reply(client, cancelDone);
    for (auto &[other, waitsOn] : clients_) {
        if (waitsOn == u"hold"_s) {
            reply(other, done);
            waitsOn.clear();
        }
    }
}

void SqlServerStandIn::serve(int client)
{
    int type = 0;
    QByteArray payload;
    bool silent = silence_ == Silence::Always;
    while (readMessage(client, type, payload)) {
        const std::lock_guard lock(mutex_);
        requests_.push_back(payload);
        arrived_.notify_all();
        if (type == attention) {
            cancel(client);
        } else if (silent || holds(payload, u"silent"_s)) {
            clients_[client] = u"silent"_s;
        } else if (type == preLogin) {
            reply(client, preLoginAnswer);
        } else if (type == login) {
            ++logins_;
            silent = silence_ == Silence::AfterLogin;
            reply(client, loginAcknowledged);
        } else if (holds(payload, u"hold"_s)) {
            clients_[client] = u"hold"_s;
        } else if (holds(payload, u"numbers"_s)) {
            reply(client, numbers(3000));
        } else if (holds(payload, u"cut"_s)) {
            reply(client, twoRowsOfMore);
            break;
        } else {
            reply(client, done);
            silent = silence_ == Silence::AfterSessionSettings && holds(payload, u"SET TEXTSIZE"_s);
        }
    }
    const std::lock_guard lock(mutex_);
    clients_.erase(client);
    ::close(client);
}
