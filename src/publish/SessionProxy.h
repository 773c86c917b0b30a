#pragma once

#include "app/ProxySettings.h"
#include "publish/FtpProxySettings.h"

namespace pictaven {

// The session's proxy settings for the program's proxy values: a direct connection when the
// proxy is off; otherwise the proxy's host, port, user and password with the type named by
// "Firewall Type": "User" is the user@host form, "Open" and "Site" the OPEN and SITE forms (any
// other text counts as "User", the default).
FtpProxySettings sessionProxy(const ProxySettings& proxy);

} // namespace pictaven
