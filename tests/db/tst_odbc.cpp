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
#include <atomic>
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

private:
    static void put16(QByteArray &to, int value) { to.append(char(value & 0xff)).append(char((value >> 8) & 0xff)); }

    static bool readExactly(int socket, char *into, int size)
    {
        for (int got = 0; got < size;) {
            const ssize_t n = ::recv(socket, into + got, size_t(size - got), 0);
            if (n <= 0)
                return false;
            got += int(n);
        }
        return true;
    }

    // One whole message of the client (its packets up to the last): type and payload.
    static bool readMessage(int socket, int &type, QByteArray &payload)
    {
        payload.clear();
        for (;;) {
            char header[8];
            if (!readExactly(socket, header, 8))
                return false;
            type = quint8(header[0]);
            const int length = (quint8(header[2]) << 8) | quint8(header[3]);
            QByteArray part(length - 8, Qt::Uninitialized);
            if (!readExactly(socket, part.data(), int(part.size())))
                return false;
            payload += part;
            if (header[1] & 0x01)
                return true;
        }
    }

    static void reply(int socket, const QByteArray &payload)
    {
        QByteArray packet;
        packet.append(char(0x04)).append(char(0x01));
        packet.append(char(((payload.size() + 8) >> 8) & 0xff)).append(char((payload.size() + 8) & 0xff));
        packet.append(QByteArray("\x00\x00\x01\x00", 4)).append(payload);
        ::send(socket, packet.constData(), size_t(packet.size()), MSG_NOSIGNAL);
    }

    static QByteArray done()
    {
        QByteArray token("\xFD", 1);
        put16(token, 0);                       // status
        put16(token, 0);                       // current command
        token.append(QByteArray(8, '\0'));     // row count
        return token;
    }

    // The column "n" (a nullable int) and the rows 1 and 2 of a result the server never ends.
    static QByteArray twoRowsOfMore()
    {
        QByteArray tokens("\x81\x01\x00", 3);                      // column metadata, one column
        tokens.append(QByteArray("\x00\x00\x00\x00\x01\x00\x26\x04", 8)); // user type, flags, intn(4)
        tokens.append(char(1));
        put16(tokens, u'n');
        for (const char value : {1, 2})
            tokens.append(QByteArray("\xD1\x04", 2)).append(value).append(QByteArray(3, '\0'));
        return tokens;
    }

    static QByteArray preLoginAnswer()
    {
        // Options: version (6 bytes) and encryption (1 byte: not supported), then their data.
        QByteArray answer("\x00\x00\x0B\x00\x06\x01\x00\x11\x00\x01\xFF", 11);
        answer.append(QByteArray("\x0F\x00\x07\xD0\x00\x00", 6)).append(char(0x02));
        return answer;
    }

    static QByteArray loginAcknowledged()
    {
        const QString name = u"Fake"_s;
        QByteArray body;
        body.append(char(0x01)).append(QByteArray("\x74\x00\x00\x04", 4)); // interface, TDS 7.4
        body.append(char(name.size()));
        for (const QChar c : name)
            put16(body, c.unicode());
        body.append(QByteArray("\x0F\x00\x07\xD0", 4));                      // server version
        QByteArray token("\xAD", 1);
        put16(token, int(body.size()));
        return token + body + done();
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
