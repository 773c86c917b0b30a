#include "support/FtpTestServers.h"

#include <fstream>
#include <map>
#include <stdexcept>

namespace pictaven::test {

FtpTestServers FtpTestServers::load(const std::string& stateDir)
{
    std::ifstream in(stateDir + "/servers.env");
    if (!in)
        throw std::runtime_error("the FTP test servers are not running: run this test through ctest, whose fixture "
                                 "ftp_servers starts them (" + stateDir + "/servers.env is missing)");
    std::map<std::string, std::string> values;
    for (std::string line; std::getline(in, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    auto port = [&values](const char* key) { return static_cast<std::uint16_t>(std::stoi(values.at(key))); };
    FtpTestServers servers;
    servers.ftpPort = port("FTP_PORT");
    servers.ftp6Port = port("FTP6_PORT");
    servers.proxyPort = port("PROXY_PORT");
    servers.user = values.at("FTP_USER");
    servers.password = values.at("FTP_PASSWORD");
    servers.home = values.at("FTP_HOME");
    servers.purePort = port("PURE_PORT");
    servers.pureHome = values.at("PURE_HOME");
    return servers;
}

} // namespace pictaven::test
