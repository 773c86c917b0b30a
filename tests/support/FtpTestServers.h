#pragma once

#include <cstdint>
#include <string>

namespace pictaven::test {

// The real FTP servers that the ctest fixture "ftp_servers" starts on loopback
// (tests/support/ftp_servers.py): pyftpdlib on 127.0.0.1 and [::1] sharing one home folder,
// Pure-FTPd on 127.0.0.1 with the same account in a home of its own, and ftp-proxy on 127.0.0.1,
// which goes to the pyftpdlib server unless the user name says user@host:port.
struct FtpTestServers {
    std::uint16_t ftpPort = 0;
    std::uint16_t ftp6Port = 0;
    std::uint16_t proxyPort = 0;
    std::string user;
    std::string password;
    std::string home; // the account's folder on this machine, without a trailing "/"
    std::uint16_t purePort = 0;
    std::string pureHome; // as `home`, for Pure-FTPd

    // Reads the fixture's servers.env; throws std::runtime_error when the fixture has not run.
    static FtpTestServers load(const std::string& stateDir);
};

} // namespace pictaven::test
