#include "publish/Socket.h"

#include "publish/FtpError.h"
#include "publish/HostLookup.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace pictaven {

namespace {

[[noreturn]] void throwSystemError(int error)
{
    throw FtpError(std::strerror(error), error);
}

int makeSocket(int family)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throwSystemError(errno);
    return fd;
}

// Commands and replies are small writes that each wait for an answer: sent at once, they do not
// sit out the peer's delayed acknowledgement.
void sendImmediately(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

SocketAddress toSocketAddress(const sockaddr_storage& storage)
{
    SocketAddress result;
    char text[INET6_ADDRSTRLEN] = {};
    if (storage.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(storage);
        ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        result.family = AF_INET;
        result.port = ntohs(v4.sin_port);
    } else {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(storage);
        result.port = ntohs(v6.sin6_port);
        if (IN6_IS_ADDR_V4MAPPED(&v6.sin6_addr)) {
            ::inet_ntop(AF_INET, &v6.sin6_addr.s6_addr[12], text, sizeof text);
            result.family = AF_INET;
        } else {
            ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
            result.family = AF_INET6;
        }
    }
    result.address = text;
    return result;
}

} // namespace

Socket::~Socket()
{
    close();
}

Socket::Socket(Socket&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) { }

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void Socket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void Socket::waitFor(short events, int timeoutMs, const char* timeoutText) const
{
    pollfd entry{m_fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, timeoutMs);
        if (ready > 0)
            return;
        if (ready == 0)
            throw FtpError(timeoutText, ErrorKind::TimedOut);
        if (errno != EINTR)
            throwSystemError(errno);
    }
}

Socket Socket::connectTo(const std::string& host, std::uint16_t port, int timeoutMs)
{
    const std::vector<ResolvedAddress> addresses = lookUpHost(host, port, timeoutMs);
    FtpError lastError("Host not found: " + host, ErrorKind::UnknownHost);
    for (const ResolvedAddress& candidate : addresses) {
        try {
            Socket socket(makeSocket(candidate.family));
            sendImmediately(socket.m_fd);
            if (::connect(socket.m_fd, reinterpret_cast<const sockaddr*>(&candidate.address), candidate.length) != 0) {
                if (errno != EINPROGRESS)
                    throwSystemError(errno);
                socket.waitFor(POLLOUT, timeoutMs, "Connect timed out.");
                int error = 0;
                socklen_t length = sizeof error;
                ::getsockopt(socket.m_fd, SOL_SOCKET, SO_ERROR, &error, &length);
                if (error != 0)
                    throwSystemError(error);
            }
            return socket;
        } catch (const FtpError& failure) {
            lastError = failure;
        }
    }
    throw lastError;
}

Socket Socket::listenOn(const std::string& address)
{
    sockaddr_storage storage{};
    socklen_t length = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (::inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        length = sizeof *v4;
    } else if (::inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        length = sizeof *v6;
    } else {
        throw FtpError("Invalid local address " + address);
    }
    Socket socket(makeSocket(storage.ss_family));
    if (::bind(socket.m_fd, reinterpret_cast<sockaddr*>(&storage), length) != 0 || ::listen(socket.m_fd, 4) != 0)
        throwSystemError(errno);
    return socket;
}

Socket Socket::accept(int timeoutMs)
{
    for (;;) {
        waitFor(POLLIN, timeoutMs, "Accept timed out.");
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            sendImmediately(fd);
            return Socket(fd);
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
            throwSystemError(errno);
    }
}

bool Socket::readable(int timeoutMs, const Socket* other) const
{
    pollfd entries[2] = {{m_fd, POLLIN, 0}, {other ? other->m_fd : -1, POLLIN, 0}};
    while (::poll(entries, 2, timeoutMs) < 0) {
        if (errno != EINTR)
            throwSystemError(errno);
    }
    return entries[0].revents != 0;
}

std::size_t Socket::readSome(char* buffer, std::size_t size, int timeoutMs)
{
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer, size, 0);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            waitFor(POLLIN, timeoutMs, "Read timed out.");
        else if (errno != EINTR)
            throwSystemError(errno);
    }
}

void Socket::writeAll(const char* data, std::size_t size, int timeoutMs)
{
    while (size > 0) {
        const ssize_t sent = ::send(m_fd, data, size, MSG_NOSIGNAL);
        if (sent >= 0) {
            data += sent;
            size -= static_cast<std::size_t>(sent);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitFor(POLLOUT, timeoutMs, "Write timed out.");
        } else if (errno != EINTR) {
            throwSystemError(errno);
        }
    }
}

SocketAddress Socket::localAddress() const
{
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0)
        throwSystemError(errno);
    return toSocketAddress(storage);
}

SocketAddress Socket::peerAddress() const
{
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (::getpeername(m_fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0)
        throwSystemError(errno);
    return toSocketAddress(storage);
}

} // namespace pictaven
