#pragma once

#include <cstdint>
#include <string>

namespace pictaven::test {

// The OpenSSH server that the ctest fixture "sshd_server" starts on 127.0.0.1
// (tests/support/sshd_server.py), with the keys it made. SFTP sessions start in `home`.
struct SshTestServer {
    std::uint16_t port = 0;
    std::string user;
    std::string home;               // without a trailing "/"
    std::string hostFingerprint;    // "SHA256:<hex>" of the server's host key
    std::string otherHostKey;       // a public key line ("ssh-ed25519 AAAA... comment") the server does not use
    std::string otherHostFingerprint;
    std::string userKey;            // private key file that the server accepts
    std::string strangerKey;        // private key file that it does not
    std::string agentSocket;        // an ssh-agent holding the accepted key

    std::string address() const { return "127.0.0.1:" + std::to_string(port); }

    // Reads the fixture's sshd.env; throws std::runtime_error when the fixture has not run.
    static SshTestServer load(const std::string& stateDir);
};

} // namespace pictaven::test
