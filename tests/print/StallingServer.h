#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace zentavo::testing {

// A print server that keeps the client waiting: on a loopback port it
// accepts every connection and says nothing for `delay`, then relays the
// connection to the real server on `targetPort`. Without a target it never
// says a word.
class StallingServer {
public:
    explicit StallingServer(std::chrono::milliseconds delay = std::chrono::hours(1), int targetPort = 0);
    ~StallingServer();
    StallingServer(const StallingServer&) = delete;
    StallingServer& operator=(const StallingServer&) = delete;

    // For CUPS_SERVER.
    QString Address() const;
    int Connections() const { return connections_.load(); }

private:
    void Accept();
    void Serve(int client);

    std::chrono::milliseconds delay_;
    int targetPort_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::vector<std::thread> clients_;
    std::thread acceptor_;
};

// Points this process's print service at `server` ("host:port") while alive;
// the service's requests read it afresh on each helper thread.
class CupsServerOverride {
public:
    explicit CupsServerOverride(const QString& server);
    ~CupsServerOverride();

private:
    QByteArray before_;
};

}  // namespace zentavo::testing
