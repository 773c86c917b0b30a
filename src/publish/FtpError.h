#pragma once

#include <stdexcept>
#include <string>

namespace pictaven {

// A failed FTP command or socket operation. The text is the server's reply text (each line
// followed by CR LF) or the socket's reason, as the caller shows it; a failed system call also
// keeps its errno value.
class FtpError : public std::runtime_error {
public:
    explicit FtpError(const std::string& text, int systemError = 0)
        : std::runtime_error(text), m_systemError(systemError)
    {
    }

    // The errno value of the failed socket call, 0 for anything else.
    int systemError() const { return m_systemError; }

private:
    int m_systemError;
};

} // namespace pictaven
