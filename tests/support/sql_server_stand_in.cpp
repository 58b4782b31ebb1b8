#include "support/sql_server_stand_in.h"
#include <arpa/inet.h>
#include <algorithm>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int preLogin = 0x12;
constexpr int login = 0x10;
constexpr int attention = 0x06;

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

void reply(int socket, const QByteArray &payload)
{
    const int size = int(payload.size()) + 8;
    const QByteArray packet = QByteArray::fromHex("0401") + char(size >> 8) + char(size & 0xff)
                              + QByteArray::fromHex("00000100") + payload;
    ::send(socket, packet.constData(), size_t(packet.size()), MSG_NOSIGNAL);
}

// The tokens: an empty "done", and one that acknowledges a cancel; the login acknowledgement (interface,
// TDS 7.4, the name "Fake", the server's version) and a done; the pre-login answer (version, encryption not
// supported); the metadata of a nullable int column "n" and the rows 1 and 2 of a result never ended.
QByteArray done() { return QByteArray::fromHex("FD000000000000000000000000"); }
QByteArray cancelDone() { return QByteArray::fromHex("FD200000000000000000000000"); }
QByteArray loginAcknowledged()
{
    return QByteArray::fromHex("AD1200" "01" "74000004" "04" "460061006B006500" "0F0007D0") + done();
}
QByteArray preLoginAnswer() { return QByteArray::fromHex("00000B000601001100 01FF 0F0007D00000 02"); }
QByteArray twoRowsOfMore()
{
    return QByteArray::fromHex("810100" "0000000001002604" "01" "6E00" "D10401000000" "D10402000000");
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
        for (const int client : clients_)
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

bool SqlServerStandIn::contains(const QByteArray &request, const QString &text) const
{
    return request.contains(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
}

bool SqlServerStandIn::received(const QString &text) const
{
    const std::lock_guard lock(mutex_);
    return std::any_of(requests_.cbegin(), requests_.cend(),
                       [&](const QByteArray &request) { return contains(request, text); });
}

void SqlServerStandIn::waitForRequest(const QString &text) const
{
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [&] {
        return std::any_of(requests_.cbegin(), requests_.cend(),
                           [&](const QByteArray &request) { return contains(request, text); });
    });
}

int SqlServerStandIn::logins() const
{
    const std::lock_guard lock(mutex_);
    return logins_;
}

QStringList SqlServerStandIn::cancelled() const
{
    const std::lock_guard lock(mutex_);
    return cancelled_;
}

void SqlServerStandIn::accept()
{
    for (;;) {
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0)
            return;
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            ::close(client);
            return;
        }
        clients_.push_back(client);
        servers_.emplace_back([this, client] { serve(client); });
    }
}

// A client cancelled its waiting statement: "hold" statements of other clients are answered now, a "hold" of
// its own is acknowledged as cancelled; a "silent" one gets no word.
void SqlServerStandIn::cancel(int client)
{
    const std::lock_guard lock(mutex_);
    const QString word = waiting_.count(client) ? waiting_.at(client) : QString();
    cancelled_ << word;
    waiting_.erase(client);
    if (word == u"hold"_s)
        reply(client, cancelDone());
    for (auto it = waiting_.begin(); it != waiting_.end();) {
        if (it->second == u"hold"_s) {
            reply(it->first, done());
            it = waiting_.erase(it);
        } else {
            ++it;
        }
    }
}

void SqlServerStandIn::serve(int client)
{
    int type = 0;
    QByteArray payload;
    bool silent = false;
    while (readMessage(client, type, payload)) {
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(payload);
        }
        arrived_.notify_all();
        if (type == preLogin) {
            reply(client, preLoginAnswer());
        } else if (type == login) {
            {
                const std::lock_guard lock(mutex_);
                ++logins_;
            }
            silent = silence_ == Silence::AfterLogin;
            reply(client, loginAcknowledged());
        } else if (type == attention) {
            cancel(client);
        } else if (silent) {
            const std::lock_guard lock(mutex_);
            waiting_[client] = u"silent"_s;
        } else if (contains(payload, u"cut"_s)) {
            reply(client, twoRowsOfMore());
            break;
        } else {
            const std::lock_guard lock(mutex_);
            if (contains(payload, u"silent"_s))
                waiting_[client] = u"silent"_s;
            else if (contains(payload, u"hold"_s))
                waiting_[client] = u"hold"_s;
            else
                reply(client, done());
            silent = silence_ == Silence::AfterSessionSettings && contains(payload, u"SET TEXTSIZE"_s);
        }
    }
    const std::lock_guard lock(mutex_);
    waiting_.erase(client);
    clients_.erase(std::find(clients_.begin(), clients_.end(), client));
    ::close(client);
}
