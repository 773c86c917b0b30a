#pragma once

#include "support/TempDir.h"

#include <string>
#include <sys/types.h>

namespace pictaven::test {

// pyftpdlib's explicit-TLS server (tests/support/ftps_server.py) on 127.0.0.1, started by the
// constructor in a folder of its own and ended by the destructor. Its self-signed certificate
// names `certificateName` only. Throws std::runtime_error when it does not start within 30 seconds.
class FtpsTestServer {
public:
    explicit FtpsTestServer(const std::string& certificateName = "localhost");
    ~FtpsTestServer();
    FtpsTestServer(const FtpsTestServer&) = delete;
    FtpsTestServer& operator=(const FtpsTestServer&) = delete;

    std::filesystem::path home() const { return m_dir / "home"; }
    std::filesystem::path certificate() const { return m_dir / "cert.pem"; }

    std::string port;
    std::string user;
    std::string password;
    std::string fingerprint; // "SHA256:" and the certificate's hex digest

private:
    TempDir m_dir;
    pid_t m_pid = -1;
};

} // namespace pictaven::test
