#pragma once

#include "publish/ByteStream.h"
#include "publish/Socket.h"

#include <memory>
#include <string>

struct ssl_ctx_st;
struct ssl_st;
struct ssl_session_st;

namespace pictaven {

// The TLS settings of one FTPS session: the system's trusted certificates, TLS 1.2 or later,
// and the session that data connections resume (servers often insist on it).
class TlsContext {
public:
    TlsContext();
    ~TlsContext();
    TlsContext(const TlsContext&) = delete;
    TlsContext& operator=(const TlsContext&) = delete;

    ssl_ctx_st* handle() const { return m_context; }

private:
    ssl_ctx_st* m_context;
};

// A TLS client connection over a socket, the handshake done by the constructor. The certificate
// is checked against the trusted store and `host`, but a failed check does not end the
// connection: the caller decides with verifyProblem() and fingerprint(). Failures throw
// FtpError with OpenSSL's reason.
class TlsStream : public ByteStream {
public:
    // `resume`, when given, is the control connection whose TLS session a data connection reuses.
    TlsStream(Socket socket, const TlsContext& context, const std::string& host, int timeoutMs,
              const TlsStream* resume = nullptr);
    ~TlsStream() override;

    std::size_t readSome(char* buffer, std::size_t size, int timeoutMs) override;
    void writeAll(const char* data, std::size_t size, int timeoutMs) override;
    using ByteStream::writeAll;
    // Sends the close alert (a server takes a data connection closed without it for a broken
    // transfer) and closes the socket.
    void close() override;
    bool hasBuffered() const override;
    const Socket& socket() const override { return m_socket; }

    // Why the certificate did not check, or an empty text when it did.
    std::string verifyProblem() const;
    // "SHA256:" and the lower-case hex SHA-256 of the server certificate in DER form.
    std::string fingerprint() const;

private:
    // Runs one OpenSSL call until it neither wants to read nor write; returns its result.
    template <typename Call> int drive(Call call, int timeoutMs, const char* timeoutText);

    Socket m_socket;
    ssl_st* m_ssl = nullptr;
    int m_timeoutMs;
};

} // namespace pictaven
