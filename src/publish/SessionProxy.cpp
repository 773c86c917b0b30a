#include "publish/SessionProxy.h"

namespace pictaven {

FtpProxySettings sessionProxy(const ProxySettings& proxy)
{
    FtpProxySettings settings;
    if (!proxy.enableProxy) {
        settings.proxyType = FtpProxyType::None;
        return settings;
    }
    settings.host = proxy.proxyName;
    settings.port = proxy.proxyPort;
    settings.userName = proxy.proxyUser;
    settings.password = proxy.proxyPassword;
    if (proxy.firewallType == "Open")
        settings.proxyType = FtpProxyType::Open;
    else if (proxy.firewallType == "Site")
        settings.proxyType = FtpProxyType::Site;
    else
        settings.proxyType = FtpProxyType::UserSite;
    return settings;
}

} // namespace pictaven
