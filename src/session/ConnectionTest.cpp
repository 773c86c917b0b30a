#include "session/ConnectionTest.h"

#include "publish/FtpError.h"
#include "publish/RemoteConnection.h"
#include "publish/SessionProxy.h"

namespace pictaven {

ConnectionResult ConnectionTest::run(RemoteConnection& session) const
{
    ConnectionResult result;
    std::string asked;
    try {
        session.setProxySettings(sessionProxy(proxy));
        session.setPassive(proxy.proxyPassiveMode);
        session.setHost(host);
        session.setProtocol(protocol);
        session.setUsername(user);
        session.setPassword(password);
        session.setTrustedKey(trustedKey);
        session.setTrustQuestion([this, &asked](const std::string& question) {
            if (!answeredQuestion.empty() && question == answeredQuestion)
                return true;
            asked = question;
            return false;
        });
        session.connect();
        result.trustedKey = session.trustedKey();
        session.disconnect();
        result.label = "Connection OK";
    } catch (const std::exception& failure) {
        result.label = "Could not connect to " + (proxy.enableProxy ? proxy.proxyName : host) + " -- " + failure.what();
        const auto* refusal = dynamic_cast<const FtpError*>(&failure);
        if (refusal != nullptr && refusal->kind() == ErrorKind::NotTrusted)
            result.trustQuestion = asked;
    }
    return result;
}

} // namespace pictaven
