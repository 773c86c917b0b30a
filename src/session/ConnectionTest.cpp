#include "session/ConnectionTest.h"

#include "publish/RemoteConnection.h"
#include "publish/SessionProxy.h"

namespace pictaven {

std::string ConnectionTest::run(RemoteConnection& session) const
{
    try {
        session.setProxySettings(sessionProxy(proxy));
        session.setPassive(proxy.proxyPassiveMode);
        session.setHost(host);
        session.setProtocol(protocol);
        session.setUsername(user);
        session.setPassword(password);
        session.connect();
        session.disconnect();
        return "Connection OK";
    } catch (const std::exception& failure) {
        return "Could not connect to " + (proxy.enableProxy ? proxy.proxyName : host) + " -- " + failure.what();
    }
}

} // namespace pictaven
