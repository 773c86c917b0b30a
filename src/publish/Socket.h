#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pictaven {

// A numeric socket address: family AF_INET or AF_INET6, the address as text (IPv4 dotted,
// IPv6 without brackets; an IPv4-mapped IPv6 address is given as its IPv4 form) and the port.
struct SocketAddress {
    int family = 0;
    std::string address;
    std::uint16_t port = 0;
};

// One TCP socket, owned (closed by the destructor), non-blocking underneath: every wait is a
// poll with a time-out in milliseconds, so a silent peer can never hang the caller. Failures
// throw FtpError with the system's reason (and its errno) or "Connect timed out." / "Read timed out." /
// "Write timed out.". Not shared between threads.
class Socket {
public:
    Socket() = default;
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Resolves `host` (name or numeric address), waiting at most `timeoutMs` for the lookup,
    // and tries its addresses in turn.
    static Socket connectTo(const std::string& host, std::uint16_t port, int timeoutMs);
    // Listens on `address` (numeric) and a free port the system picks.
    static Socket listenOn(const std::string& address);

    // Waits for one incoming connection; the listening socket stays open.
    Socket accept(int timeoutMs);

    // True when a read or accept would not wait: data, the peer's close or a connection is
    // there. Waits at most `timeoutMs` for it, and no longer than until `other` (when given)
    // has something to read.
    bool readable(int timeoutMs, const Socket* other = nullptr) const;

    // Reads at most `size` bytes; 0 means the peer closed the connection.
    std::size_t readSome(char* buffer, std::size_t size, int timeoutMs);
    void writeAll(const char* data, std::size_t size, int timeoutMs);
    void writeAll(const std::string& data, int timeoutMs) { writeAll(data.data(), data.size(), timeoutMs); }

    SocketAddress localAddress() const;
    SocketAddress peerAddress() const;

    bool isOpen() const { return m_fd >= 0; }
    void close();

    // Waits until poll reports one of `events`; throws FtpError `timeoutText` after `timeoutMs`.
    void waitFor(short events, int timeoutMs, const char* timeoutText) const;
    // The descriptor, still owned by this socket, for a layer that reads and writes it itself.
    int nativeHandle() const { return m_fd; }

private:
    explicit Socket(int fd) : m_fd(fd) { }

    int m_fd = -1;
};

} // namespace pictaven
