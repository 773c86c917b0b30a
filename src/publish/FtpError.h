#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>

namespace pictaven {

// What a failure of a remote session came to, whatever the protocol: the uploader decides by it
// what is worth another attempt, and a person reads from it what to fix.
enum class ErrorKind {
    Other,             // none of these: a local file, a reply that makes no sense
    ConnectionRefused, // nothing listens at the host and port (ECONNREFUSED)
    UnknownHost,       // the host name does not resolve
    TimedOut,          // the connection or an answer took longer than the time-out
    ConnectionLost,    // the connection broke: a socket error; FTP 421, 425, 426; SSH or SFTP without a status
    LogInRefused,      // FTP refused USER or PASS; SSH accepted no authentication
    NotTrusted,        // the TLS certificate or the SSH host key does not check and was not trusted
    Refused,           // the server answered no: any other FTP 4xx or 5xx; SFTP permission denied and others
    NotFound,          // FTP 550 (no such file, or no access: FTP does not tell); SFTP no such file or path
    NoSpace,           // FTP 452 and 552; SFTP no space on the file system or quota exceeded
    Cancelled,         // the person pressed Cancel while the upload waited to try again
};

// A failed command or socket operation of any remote session (FTP, FTPS or SFTP). The text is
// the server's reply text (each line followed by CR LF) or the connection's reason, as the caller
// shows it; a failed system call also keeps its errno value.
class FtpError : public std::runtime_error {
public:
    explicit FtpError(const std::string& text, int systemError = 0)
        : std::runtime_error(text), m_systemError(systemError), m_kind(kindOfSystemError(systemError))
    {
    }
    FtpError(const std::string& text, ErrorKind kind) : std::runtime_error(text), m_kind(kind) { }

    // The errno value of the failed socket call, 0 for anything else.
    int systemError() const { return m_systemError; }
    ErrorKind kind() const { return m_kind; }

private:
    static ErrorKind kindOfSystemError(int error)
    {
        if (error == 0)
            return ErrorKind::Other;
        return error == ECONNREFUSED ? ErrorKind::ConnectionRefused : ErrorKind::ConnectionLost;
    }

    int m_systemError = 0;
    ErrorKind m_kind = ErrorKind::Other;
};

} // namespace pictaven
