// The data layer against a SQL Server played by the test: one that stops answering (a statement is abandoned
// after the connection's statement time, shortened here, with the Persian text and the driver's reason; the
// backup's statement, without a limit, waits as long as the server keeps the connection), and one that drops
// the connection in the middle of a result (the read is an error, never a short list).
#include "db/connection.h"
#include "db/query.h"
#include "db/statement.h"
#include "support/refusal.h"
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <arpa/inet.h>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Just enough of the server's side of the TDS 7.4 protocol for FreeTDS to sign in: the pre-login answer
// (no encryption), a login acknowledgement, and an empty "done" for every request but two: one whose text
// holds "silent" is never answered (after holdMs the connection is closed), one that holds "cut" gets the
// first two rows of a one-column result and then the connection is closed.
class FakeServer {
public:
    explicit FakeServer(int holdMs) : holdMs_(holdMs)
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
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeServer()
    {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    int port() const { return port_; }
    // Whether a request the server received holds the text (as the client sends it, in UTF-16).
    bool received(const QString &text) const
    {
        const QByteArray wanted(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        const std::lock_guard lock(mutex_);
        return std::any_of(requests_.cbegin(), requests_.cend(),
                           [&](const QByteArray &request) { return request.contains(wanted); });
    }

private:
    // One whole message of the client (its packets up to the last): type and payload.
    static bool readMessage(int socket, int &type, QByteArray &payload)
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

    static void reply(int socket, const QByteArray &payload)
    {
        const int size = int(payload.size()) + 8;
        const QByteArray packet = QByteArray::fromHex("0401") + char(size >> 8) + char(size & 0xff)
                                  + QByteArray::fromHex("00000100") + payload;
        ::send(socket, packet.constData(), size_t(packet.size()), MSG_NOSIGNAL);
    }

    // The tokens: an empty "done"; the login acknowledgement (interface, TDS 7.4, the name "Fake", the server's
    // version) and a done; the pre-login answer (version, encryption not supported); the metadata of a
    // nullable int column "n" and the rows 1 and 2 of a result the server never ends.
    static QByteArray done() { return QByteArray::fromHex("FD000000000000000000000000"); }
    static QByteArray loginAcknowledged()
    {
        return QByteArray::fromHex("AD1200" "01" "74000004" "04" "460061006B006500" "0F0007D0") + done();
    }
    static QByteArray preLoginAnswer() { return QByteArray::fromHex("00000B000601001100 01FF 0F0007D00000 02"); }
    static QByteArray twoRowsOfMore()
    {
        return QByteArray::fromHex("810100" "0000000001002604" "01" "6E00" "D10401000000" "D10402000000");
    }

    void serve()
    {
        while (!stopping_) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                return;
            int type = 0;
            QByteArray payload;
            while (readMessage(client, type, payload)) {
                {
                    const std::lock_guard lock(mutex_);
                    requests_.push_back(payload);
                }
                if (type == 0x12)
                    reply(client, preLoginAnswer());
                else if (type == 0x10)
                    reply(client, loginAcknowledged());
                else if (payload.contains(QByteArray("s\0i\0l\0e\0n\0t\0", 12))) {
                    QThread::msleep(ulong(holdMs_));
                    break;
                } else if (payload.contains(QByteArray("c\0u\0t\0", 6))) {
                    reply(client, twoRowsOfMore());
                    break;
                } else if (type != 0x06)
                    reply(client, done());
            }
            ::close(client);
        }
    }

    int holdMs_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_ = false;
    mutable std::mutex mutex_;
    std::vector<QByteArray> requests_;
    std::thread thread_;
};

} // namespace

class TestOdbc : public QObject {
    Q_OBJECT

    // Connected with a time of 2 s to connect and 1 s for a statement.
    static void connectTo(db::Connection &connection, const FakeServer &server)
    {
        connection.setConnectionString(u"DRIVER=FreeTDS;SERVER=127.0.0.1;PORT="_s + QString::number(server.port())
                                       + u";DATABASE=tavrel;UID=sa;PWD=x;TDS_Version=7.4;ClientCharset=UTF-8"_s);
        connection.setTimeouts({2, 1, 5000});
        connection.open();
    }

private Q_SLOTS:
    void connectionTakesTheLargestTextSize()
    {
        FakeServer server(0);
        db::Connection connection(u"textsize"_s);
        connectTo(connection, server);
        QVERIFY(server.received(u"SET TEXTSIZE 2147483647"_s)); // a driver's setting never cuts a file short
    }

    void resultCutShortIsAnError()
    {
        FakeServer server(0);
        db::Connection connection(u"cut"_s);
        connectTo(connection, server);
        db::Query list(connection, u"list"_s);
        list.add(u"select n from cut"_s);
        QVERIFY(!refusal([&] { list.open(); }).isEmpty());
        QVERIFY(!list.active());
    }

    void statementsAreAbandonedButTheBackupWaits()
    {
        FakeServer server(4000);
        db::Connection connection(u"silent"_s);
        connectTo(connection, server);
        QVERIFY(connection.connected());

        QElapsedTimer clock;
        clock.start();
        try {
            connection.exec(u"select 'silent'"_s);
            QFAIL("a statement without an answer returned");
        } catch (const db::Error &error) {
            QCOMPARE(error.kind(), db::Error::Kind::Timeout);
            QCOMPARE(error.text().section(u'\n', 0, 0), db::message::timeout);
            QVERIFY2(!error.text().section(u'\n', 1).isEmpty(), qPrintable(error.text()));
        }
        QVERIFY2(clock.elapsed() < 3900, qPrintable(QString::number(clock.elapsed())));

        // Without a limit the statement waits until the server gives up on the connection.
        FakeServer patient(2500);
        connectTo(connection, patient);
        clock.restart();
        {
            db::UnlimitedStatements unlimited(connection);
            const QString refused = refusal([&] { connection.exec(u"BACKUP DATABASE silent TO DISK = 'x'"_s); });
            QVERIFY(!refused.startsWith(db::message::timeout));
        }
        QVERIFY2(clock.elapsed() >= 2400, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(connection.timeouts().statementSeconds, 1);
    }
};

QTEST_GUILESS_MAIN(TestOdbc)
#include "tst_odbc.moc"
