#pragma once

#include "publish/ByteStream.h"
#include "publish/Socket.h"

namespace pictaven {

// A plain TCP connection as a byte stream; owns its socket.
class SocketStream : public ByteStream {
public:
    explicit SocketStream(Socket socket) : m_socket(std::move(socket)) { }

    std::size_t readSome(char* buffer, std::size_t size, int timeoutMs) override
    {
        return m_socket.readSome(buffer, size, timeoutMs);
    }
    void writeAll(const char* data, std::size_t size, int timeoutMs) override
    {
        m_socket.writeAll(data, size, timeoutMs);
    }
    using ByteStream::writeAll;
    void close() override { m_socket.close(); }
    const Socket& socket() const override { return m_socket; }
    // Hands the connection on, to a TLS layer; the stream is closed afterwards.
    Socket release() { return std::move(m_socket); }

private:
    Socket m_socket;
};

} // namespace pictaven
