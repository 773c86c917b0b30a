#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

class IniFile;

// The FTP proxy (firewall) values of album.cfg, section [Proxy].
struct ProxySettings {
    bool enableProxy = false;
    std::string proxyName = "ProxyAddress";
    std::int32_t proxyPort = 21;
    std::string firewallType = "User"; // "User", "Open" or "Site"
    bool proxyPassiveMode = false;
    std::string proxyUser;
    std::string proxyPassword; // plain text here; stored scrambled (StoredPassword.h)

    // Reads every key in the order Enable Proxy, Proxy Name, Proxy Port, Firewall Type, Passive
    // Mode, Proxy User, Proxy Password (and its second key); missing keys and unreadable numbers
    // give the defaults.
    void load(const IniFile& albumConfig);
    // Writes every key in the same order, then "Proxy Password Hex" when the password needs its
    // second key (StoredPassword.h). Throws IoError when album.cfg cannot be written.
    void save(IniFile& albumConfig) const;
};

} // namespace pictaven
