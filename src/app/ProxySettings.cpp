#include "app/ProxySettings.h"

#include "app/StoredPassword.h"
#include "ini/IniFile.h"

namespace pictaven {

namespace {

const char* const section = "Proxy";

} // namespace

void ProxySettings::load(const IniFile& albumConfig)
{
    const ProxySettings defaults;
    enableProxy = albumConfig.readBool(section, "Enable Proxy", defaults.enableProxy);
    proxyName = albumConfig.readString(section, "Proxy Name", defaults.proxyName);
    proxyPort = albumConfig.readInteger(section, "Proxy Port", defaults.proxyPort);
    firewallType = albumConfig.readString(section, "Firewall Type", defaults.firewallType);
    proxyPassiveMode = albumConfig.readBool(section, "Passive Mode", defaults.proxyPassiveMode);
    proxyUser = albumConfig.readString(section, "Proxy User", defaults.proxyUser);
    proxyPassword = unscramblePassword(albumConfig.readString(section, "Proxy Password", ""));
}

void ProxySettings::save(IniFile& albumConfig) const
{
    albumConfig.writeBool(section, "Enable Proxy", enableProxy);
    albumConfig.writeString(section, "Proxy Name", proxyName);
    albumConfig.writeInteger(section, "Proxy Port", proxyPort);
    albumConfig.writeString(section, "Firewall Type", firewallType);
    albumConfig.writeBool(section, "Passive Mode", proxyPassiveMode);
    albumConfig.writeString(section, "Proxy User", proxyUser);
    albumConfig.writeString(section, "Proxy Password", scramblePassword(proxyPassword));
}

} // namespace pictaven
