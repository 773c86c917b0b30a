#include "app/ProxySettings.h"

#include "app/StoredPassword.h"
#include "ini/IniFile.h"

namespace pictaven {

namespace {

const char* const section = "Proxy";
const char* const passwordHexKey = "Proxy Password Hex";

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
    proxyPassword = readStoredPassword(
        {albumConfig.readString(section, "Proxy Password", ""), albumConfig.readString(section, passwordHexKey, "")});
}

void ProxySettings::save(IniFile& albumConfig) const
{
    albumConfig.writeBool(section, "Enable Proxy", enableProxy);
    albumConfig.writeString(section, "Proxy Name", proxyName);
    albumConfig.writeInteger(section, "Proxy Port", proxyPort);
    albumConfig.writeString(section, "Firewall Type", firewallType);
    albumConfig.writeBool(section, "Passive Mode", proxyPassiveMode);
    albumConfig.writeString(section, "Proxy User", proxyUser);
    const StoredPassword stored = storePassword(proxyPassword);
    albumConfig.writeString(section, "Proxy Password", stored.scrambled);
    // The second key only when it is needed, or to empty the one an earlier password needed.
    if (!stored.hex.empty() || !albumConfig.readString(section, passwordHexKey, "").empty())
        albumConfig.writeString(section, passwordHexKey, stored.hex);
}

} // namespace pictaven
