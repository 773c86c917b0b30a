#pragma once

#include <cstddef>
#include <string>

namespace pictaven {

class Socket;

// A connection as the FTP commands see it: bytes in, bytes out, with time-outs in milliseconds.
// A plain socket and a TLS layer over one both fit, so encryption never touches command logic.
// Failures throw FtpError.
class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Reads at most `size` bytes; 0 means the peer closed the connection.
    virtual std::size_t readSome(char* buffer, std::size_t size, int timeoutMs) = 0;
    virtual void writeAll(const char* data, std::size_t size, int timeoutMs) = 0;
    void writeAll(const std::string& data, int timeoutMs) { writeAll(data.data(), data.size(), timeoutMs); }
    // Ends the connection; a TLS layer says goodbye first when it can without waiting.
    virtual void close() = 0;
    // Bytes that arrived and wait inside the stream, where polling the socket cannot see them.
    virtual bool hasBuffered() const { return false; }

    // The socket underneath, for its addresses and for polling.
    virtual const Socket& socket() const = 0;
};

} // namespace pictaven
