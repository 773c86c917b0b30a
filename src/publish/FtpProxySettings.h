#pragma once

#include <string>

namespace pictaven {

// How the session logs in through an FTP proxy (firewall). The program selects None, UserSite,
// Site and Open; the other kinds exist for completeness and log in like None.
enum class FtpProxyType { None, UserSite, Site, Open, UserPass, Transparent, HttpProxyWithFtp };

struct FtpProxySettings {
    FtpProxyType proxyType = FtpProxyType::Open;
    std::string host;
    int port = 0;
    std::string userName;
    std::string password;
};

} // namespace pictaven
