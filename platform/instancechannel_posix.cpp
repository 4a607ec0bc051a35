#include "platform/instancechannel.h"

#include "platform/descriptor_posix.h"
#include "platform/runtimedir.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr std::string_view showRequest = "show";
// Longer than any request: a peer that sends more is not one of ours.
constexpr std::size_t maxRequestBytes = 16;
// Connections waiting for their request; more are refused, so that a stuck
// peer cannot make the program hold ever more descriptors.
constexpr std::size_t maxPendingConnections = 8;

bool peerIsThisUser(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 && length == sizeof credentials
        && credentials.uid == ::getuid();
}

bool socketAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

struct InstanceChannel::Connection {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;  // a child of the channel
    std::string request;
};

struct InstanceChannel::Listener {
    int fd = -1;
    std::string path;
    std::unique_ptr<QSocketNotifier> notifier;
    std::vector<std::unique_ptr<InstanceChannel::Connection>> connections;

    ~Listener()
    {
        for (const auto& connection : connections)
            ::close(connection->fd);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path.c_str());
        }
    }
};

InstanceChannel::InstanceChannel(std::string name, QObject* parent) : QObject(parent), m_name(std::move(name))
{}

InstanceChannel::~InstanceChannel() = default;

std::string InstanceChannel::socketPath(const std::string& name)
{
    const std::string dir = runtimeDirectory(name);
    return dir.empty() ? std::string() : dir + "/" + name + ".socket";
}

bool InstanceChannel::listen()
{
    if (m_listener)
        return true;
    auto listener = std::make_unique<Listener>();
    listener->path = socketPath(m_name);
    sockaddr_un address;
    if (!socketAddress(listener->path, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // The caller holds the lock, so a socket file found here is a crashed run's.
    ::unlink(listener->path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    listener->fd = fd;
    ::chmod(listener->path.c_str(), 0600);
    if (::listen(fd, static_cast<int>(maxPendingConnections)) != 0)
        return false;

    listener->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(listener->notifier.get(), &QSocketNotifier::activated, this, [this] { acceptConnections(); });
    m_listener = std::move(listener);
    return true;
}

void InstanceChannel::acceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listener->fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;  // EAGAIN: all taken; anything else: try at the next wake-up
        }
        if (!peerIsThisUser(fd) || m_listener->connections.size() >= maxPendingConnections) {
            ::close(fd);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        connection->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        Connection* raw = connection.get();
        connect(raw->notifier, &QSocketNotifier::activated, this, [this, raw] { readRequest(raw); });
        m_listener->connections.push_back(std::move(connection));
    }
}

void InstanceChannel::readRequest(Connection* connection)
{
    const ReadEnd end = readAll(connection->fd, connection->request, maxRequestBytes);
    if (end == ReadEnd::WouldBlock)
        return;  // more to come

    // The request is complete when the peer has closed its end.
    const bool show = end == ReadEnd::Complete && connection->request == showRequest;
    connection->notifier->setEnabled(false);
    connection->notifier->deleteLater();  // not here: this is its own signal
    ::close(connection->fd);
    std::erase_if(m_listener->connections, [connection](const auto& held) { return held.get() == connection; });
    if (show)
        emit showRequested();
}

bool InstanceChannel::requestShow(const std::string& name, std::chrono::milliseconds timeout)
{
    sockaddr_un address;
    if (!socketAddress(socketPath(name), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A program that no longer accepts fills its backlog; connect() and
    // send() then wait at most this long instead of for ever.
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    limit.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    bool sent = false;
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0 && peerIsThisUser(fd)) {
        const ssize_t count = ::send(fd, showRequest.data(), showRequest.size(), MSG_NOSIGNAL);
        sent = count == static_cast<ssize_t>(showRequest.size());
    }
    ::close(fd);
    return sent;
}
