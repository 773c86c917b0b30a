#pragma once

#include <stdexcept>
#include <string>

namespace pictaven {

// A failed FTP command or socket operation. The text is the server's reply text (each line
// followed by CR LF) or the socket's reason, as the caller shows it.
class FtpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pictaven
