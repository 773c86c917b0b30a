#include "support/SshTestServer.h"

#include <fstream>
#include <map>
#include <stdexcept>

namespace pictaven::test {

SshTestServer SshTestServer::load(const std::string& stateDir)
{
    std::ifstream in(stateDir + "/sshd.env");
    if (!in)
        throw std::runtime_error("the test sshd is not running: run this test through ctest, whose fixture "
                                 "sshd_server starts it (" + stateDir + "/sshd.env is missing)");
    std::map<std::string, std::string> values;
    for (std::string line; std::getline(in, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    SshTestServer server;
    server.port = static_cast<std::uint16_t>(std::stoi(values.at("SSH_PORT")));
    server.user = values.at("SSH_USER");
    server.home = values.at("SSH_HOME");
    server.hostFingerprint = values.at("HOST_FINGERPRINT");
    server.otherHostKey = values.at("OTHER_HOST_KEY");
    server.otherHostFingerprint = values.at("OTHER_HOST_FINGERPRINT");
    server.userKey = values.at("USER_KEY");
    server.strangerKey = values.at("STRANGER_KEY");
    server.agentSocket = values.at("AGENT_SOCKET");
    return server;
}

} // namespace pictaven::test
