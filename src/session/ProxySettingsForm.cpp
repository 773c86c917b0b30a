#include "session/ProxySettingsForm.h"

#include "ini/IniFile.h"
#include "ini/IntegerText.h"

namespace pictaven {

const char* const ProxySettingsForm::firewallTypes[3] = {"User", "Open", "Site"};

ProxySettingsForm::ProxySettingsForm(const ProxySettings& current)
    : enableFirewall(current.enableProxy),
      proxyName(current.proxyName),
      proxyPort(std::to_string(current.proxyPort)),
      firewallType(current.firewallType),
      firewallUser(current.proxyUser),
      firewallPassword(current.proxyPassword),
      passiveMode(current.proxyPassiveMode)
{
}

void ProxySettingsForm::accept(IniFile& albumConfig, ProxySettings& current) const
{
    ProxySettings next;
    next.enableProxy = enableFirewall;
    next.proxyName = proxyName;
    // The two keys before the port are stored even when the port turns out not to be a number.
    albumConfig.writeBool("Proxy", "Enable Proxy", next.enableProxy);
    albumConfig.writeString("Proxy", "Proxy Name", next.proxyName);
    next.proxyPort = textToInt(proxyPort);
    next.firewallType = firewallType;
    next.proxyPassiveMode = passiveMode;
    next.proxyUser = firewallUser;
    next.proxyPassword = firewallPassword;
    next.save(albumConfig);
    current = next;
}

} // namespace pictaven
