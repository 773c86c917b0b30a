#pragma once

#include "app/ProxySettings.h"

#include <string>

namespace pictaven {

class IniFile;

// The rules of the "Proxy Settings" dialog, without the window. The fields start with the
// current proxy values; the port is edited as text.
class ProxySettingsForm {
public:
    explicit ProxySettingsForm(const ProxySettings& current);

    bool enableFirewall = false; // "Enable Firewall Authentication"
    std::string proxyName;
    std::string proxyPort;
    std::string firewallType; // "User", "Open" or "Site"
    std::string firewallUser;
    std::string firewallPassword;
    bool passiveMode = false; // "Passive Mode (normally used with firewall)"

    // The five proxy fields are enabled exactly while the check box is on.
    bool proxyFieldsEnabled() const { return enableFirewall; }
    static const char* const firewallTypes[3];

    // OK: writes album.cfg [Proxy] in the order Enable Proxy, Proxy Name, Proxy Port, Firewall
    // Type, Passive Mode, Proxy User, Proxy Password (scrambled), then makes the fields the
    // current values. A port that is not a number throws ConversionError after Enable Proxy and
    // Proxy Name were stored; the rest of the file and `current` are then unchanged. Throws
    // IoError when album.cfg cannot be written.
    void accept(IniFile& albumConfig, ProxySettings& current) const;
};

} // namespace pictaven
