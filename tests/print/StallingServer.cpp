#include "print/StallingServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace zentavo::testing {
namespace {

constexpr int PollMilliseconds = 50;

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// Copies what is waiting on `from` to `to`; false when either side is done.
bool Relay(int from, int to)
{
    char buffer[16 * 1024];
    const ssize_t bytes = read(from, buffer, sizeof buffer);
    return bytes > 0 && write(to, buffer, static_cast<size_t>(bytes)) == bytes;
}

}  // namespace

StallingServer::StallingServer(std::chrono::milliseconds delay, int targetPort)
    : delay_(delay), targetPort_(targetPort)
{
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || listen(listener_, 16) != 0
        || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no loopback port for the stalling server");
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

StallingServer::~StallingServer()
{
    stopping_ = true;
    acceptor_.join();
    for (std::thread& client : clients_)
        client.join();
    close(listener_);
}

QString StallingServer::Address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

void StallingServer::Accept()
{
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, PollMilliseconds) <= 0)
            continue;
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0)
            continue;
        ++connections_;
        const std::lock_guard lock(mutex_);
        clients_.emplace_back([this, client] { Serve(client); });
    }
}

void StallingServer::Serve(int client)
{
    const auto answerAt = std::chrono::steady_clock::now() + delay_;
    while (!stopping_ && std::chrono::steady_clock::now() < answerAt)
        std::this_thread::sleep_for(std::chrono::milliseconds(PollMilliseconds));
    int target = -1;
    if (!stopping_ && targetPort_ != 0) {
        target = socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Loopback(targetPort_);
        if (connect(target, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(target);
            target = -1;
        }
    }
    while (!stopping_ && target >= 0) {
        pollfd ends[2] = {{client, POLLIN, 0}, {target, POLLIN, 0}};
        if (poll(ends, 2, PollMilliseconds) <= 0)
            continue;
        if ((ends[0].revents && !Relay(client, target)) || (ends[1].revents && !Relay(target, client)))
            break;
    }
    if (target >= 0)
        close(target);
    close(client);
}

CupsServerOverride::CupsServerOverride(const QString& server)
    : before_(qgetenv("CUPS_SERVER"))
{
    qputenv("CUPS_SERVER", server.toUtf8());
}

CupsServerOverride::~CupsServerOverride()
{
    qputenv("CUPS_SERVER", before_);
}

}  // namespace zentavo::testing
