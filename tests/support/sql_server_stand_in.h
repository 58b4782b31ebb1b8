#pragma once
// A SQL Server played by the test on the loopback interface: just enough of TDS 7.4 for FreeTDS to sign in
// (a pre-login answer without encryption, a login acknowledgement), then an empty "done" for every request
// but these, told by a word in the statement:
// - "silent": never answered, nor is the client's cancel of it (a server gone);
// - "cut": the first two rows of a one-column result, then the connection is closed;
// - "numbers": a one-column result of the whole numbers 1 to 3000, in packets of the default size;
// - "hold": answered once a client cancels a statement on another connection (so it outwaited that one's limit).
// A silent server answers nothing at all, or nothing after its login acknowledgement or the session's settings.
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

class SqlServerStandIn {
public:
    enum class Silence { Never, Always, AfterLogin, AfterSessionSettings };
    explicit SqlServerStandIn(Silence silence = Silence::Never);
    ~SqlServerStandIn();
    SqlServerStandIn(const SqlServerStandIn &) = delete;
    SqlServerStandIn &operator=(const SqlServerStandIn &) = delete;

    int port() const { return port_; }
    QString connectionString() const; // FreeTDS, login "sa"
    bool received(const QString &text) const;
    void waitForRequest(const QString &text) const;
    int logins() const { return logins_; }
    // While refusing, every new connection is closed as soon as it is taken (a server down for a moment).
    void setRefusing(bool refusing) { refusing_ = refusing; }
    // The words ("silent", "hold") of the statements their clients cancelled, in order.
    QStringList cancelled() const;

private:
    void accept();
    void serve(int client);
    void cancel(int client);

    Silence silence_;
    int listener_ = -1;
    int port_ = 0;
    bool stopping_ = false;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::vector<QByteArray> requests_;
    std::map<int, QString> clients_; // socket -> the word of the statement it waits on, if any
    QStringList cancelled_;
    std::atomic<int> logins_ = 0;
    std::atomic<bool> refusing_ = false;
    std::vector<std::thread> servers_; // one per client
    std::thread acceptor_;
};
