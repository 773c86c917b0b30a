#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>

namespace pictaven {

// What a failed connection came to, for a person who must fix it.
enum class FtpFailure { Other, Refused, UnknownHost, TimedOut, LogInRefused, CertificateRefused };

// A failed FTP command or socket operation. The text is the server's reply text (each line
// followed by CR LF) or the socket's reason, as the caller shows it; a failed system call also
// keeps its errno value.
class FtpError : public std::runtime_error {
public:
    explicit FtpError(const std::string& text, int systemError = 0)
        : std::runtime_error(text), m_systemError(systemError)
    {
    }
    FtpError(const std::string& text, FtpFailure failure) : std::runtime_error(text), m_failure(failure) { }

    // The server's answer with this reply code; `text` is its reply text.
    static FtpError reply(const std::string& text, int code)
    {
        FtpError error(text);
        error.m_replyCode = code;
        return error;
    }

    // The errno value of the failed socket call, 0 for anything else.
    int systemError() const { return m_systemError; }
    // The server's reply code when the server refused, 0 when the connection failed or the
    // failure was local.
    int replyCode() const { return m_replyCode; }
    FtpFailure failure() const
    {
        return m_failure == FtpFailure::Other && m_systemError == ECONNREFUSED ? FtpFailure::Refused : m_failure;
    }

private:
    int m_systemError = 0;
    int m_replyCode = 0;
    FtpFailure m_failure = FtpFailure::Other;
};

} // namespace pictaven
