#include "publish/TlsStream.h"

#include "publish/FtpError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>

namespace pictaven {

namespace {

std::string openSslReason()
{
    const unsigned long code = ::ERR_get_error();
    ::ERR_clear_error();
    if (code == 0)
        return "TLS connection failed.";
    char text[256];
    ::ERR_error_string_n(code, text, sizeof text);
    return std::string("TLS: ") + text;
}

bool isNumericAddress(const std::string& host)
{
    unsigned char address[16];
    return ::inet_pton(AF_INET, host.c_str(), address) == 1 || ::inet_pton(AF_INET6, host.c_str(), address) == 1;
}

} // namespace

TlsContext::TlsContext() : m_context(::SSL_CTX_new(::TLS_client_method()))
{
    if (!m_context)
        throw FtpError(openSslReason());
    // OpenSSL writes with write(): a server that drops a connection would end the program with
    // SIGPIPE instead of failing the transfer.
    static const bool pipeSignalIgnored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    (void)pipeSignalIgnored;
    // TLS 1.2 only: FTP servers demand that every data connection resume the control
    // connection's session (vsftpd and ProFTPD by default), and with TLS 1.3 OpenSSL lets a
    // server's stateful session be resumed once only, so the third transfer would be refused.
    ::SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION);
    ::SSL_CTX_set_max_proto_version(m_context, TLS1_2_VERSION);
    ::SSL_CTX_set_default_verify_paths(m_context);
    ::SSL_CTX_set_session_cache_mode(m_context, SSL_SESS_CACHE_CLIENT);
}

TlsContext::~TlsContext()
{
    ::SSL_CTX_free(m_context);
}

TlsStream::TlsStream(Socket socket, const TlsContext& context, const std::string& host, int timeoutMs,
                     const TlsStream* resume)
    : m_socket(std::move(socket)), m_ssl(::SSL_new(context.handle())), m_timeoutMs(timeoutMs)
{
    if (!m_ssl || ::SSL_set_fd(m_ssl, m_socket.nativeHandle()) != 1)
        throw FtpError(openSslReason());
    // The check runs in full but never breaks the handshake: the caller reports it with the
    // certificate's fingerprint, which the person may then choose to trust.
    ::SSL_set_verify(m_ssl, SSL_VERIFY_NONE, nullptr);
    X509_VERIFY_PARAM* check = ::SSL_get0_param(m_ssl);
    if (isNumericAddress(host)) {
        ::X509_VERIFY_PARAM_set1_ip_asc(check, host.c_str());
    } else {
        ::SSL_set_tlsext_host_name(m_ssl, host.c_str());
        ::X509_VERIFY_PARAM_set1_host(check, host.c_str(), 0);
    }
    if (resume) {
        // A copy: a data connection that ends badly makes its session unusable, and with the
        // control connection's own one every later transfer would be refused.
        if (SSL_SESSION* session = ::SSL_get1_session(resume->m_ssl)) {
            SSL_SESSION* copy = ::SSL_SESSION_dup(session);
            ::SSL_SESSION_free(session);
            if (copy != nullptr) {
                ::SSL_set_session(m_ssl, copy);
                ::SSL_SESSION_free(copy);
            }
        }
    }
    if (drive([this] { return ::SSL_connect(m_ssl); }, timeoutMs, "TLS handshake timed out.") != 1) {
        ::SSL_free(m_ssl);
        m_ssl = nullptr;
        throw FtpError(openSslReason());
    }
}

TlsStream::~TlsStream()
{
    if (m_ssl)
        ::SSL_free(m_ssl);
}

template <typename Call> int TlsStream::drive(Call call, int timeoutMs, const char* timeoutText)
{
    for (;;) {
        // SSL_get_error reads the thread's error queue: what another connection left there
        // (a data connection's goodbye) would pass for this one's failure.
        ::ERR_clear_error();
        const int result = call();
        if (result > 0)
            return result;
        switch (::SSL_get_error(m_ssl, result)) {
        case SSL_ERROR_WANT_READ:
            m_socket.waitFor(POLLIN, timeoutMs, timeoutText);
            break;
        case SSL_ERROR_WANT_WRITE:
            m_socket.waitFor(POLLOUT, timeoutMs, timeoutText);
            break;
        case SSL_ERROR_ZERO_RETURN:
            return 0;
        case SSL_ERROR_SYSCALL:
            if (errno != 0 && errno != EINTR)
                throw FtpError(std::strerror(errno), errno);
            // A peer that closes without the TLS goodbye has still closed.
            if (errno == 0)
                return 0;
            break;
        default:
            return result;
        }
    }
}

std::size_t TlsStream::readSome(char* buffer, std::size_t size, int timeoutMs)
{
    std::size_t got = 0;
    errno = 0;
    const int result = drive([&] { return ::SSL_read_ex(m_ssl, buffer, size, &got); }, timeoutMs, "Read timed out.");
    if (result < 0)
        throw FtpError(openSslReason());
    return result > 0 ? got : 0;
}

void TlsStream::writeAll(const char* data, std::size_t size, int timeoutMs)
{
    while (size > 0) {
        std::size_t sent = 0;
        errno = 0;
        if (drive([&] { return ::SSL_write_ex(m_ssl, data, size, &sent); }, timeoutMs, "Write timed out.") <= 0)
            throw FtpError(openSslReason());
        data += sent;
        size -= sent;
    }
}

void TlsStream::close()
{
    if (m_ssl && m_socket.isOpen()) {
        ::SSL_shutdown(m_ssl);
        ::ERR_clear_error();
        // The server may have sent what we never read (TLS 1.3 session tickets); closing on
        // unread bytes resets the connection, and the server would drop the file's last bytes.
        // So: end our side, then wait for the server to end its own.
        ::shutdown(m_socket.nativeHandle(), SHUT_WR);
        try {
            char discard[4096];
            while (m_socket.readSome(discard, sizeof discard, m_timeoutMs) > 0) { }
        } catch (const FtpError&) {
            // A server that never closes or resets is done with the data anyway.
        }
    }
    m_socket.close();
}

bool TlsStream::hasBuffered() const
{
    return ::SSL_pending(m_ssl) > 0;
}

std::string TlsStream::verifyProblem() const
{
    const long result = ::SSL_get_verify_result(m_ssl);
    if (!::SSL_get0_peer_certificate(m_ssl))
        return "the server sent no certificate";
    return result == X509_V_OK ? std::string() : ::X509_verify_cert_error_string(result);
}

std::string TlsStream::fingerprint() const
{
    const X509* certificate = ::SSL_get0_peer_certificate(m_ssl);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!certificate || ::X509_digest(certificate, ::EVP_sha256(), digest, &length) != 1)
        return {};
    static const char hex[] = "0123456789abcdef";
    std::string text = "SHA256:";
    for (unsigned int i = 0; i < length; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 15];
    }
    return text;
}

} // namespace pictaven
