#pragma once

#include "app/ProxySettings.h"
#include "publish/RemoteProtocol.h"

#include <string>

namespace pictaven {

class RemoteConnection;

// One connection test of the FTP set-up wizard, holding copies of everything it needs so that
// it can run on a worker while the wizard's fields go on changing.
struct ConnectionTest {
    std::string host; // as typed, optionally host:port
    std::string user;
    std::string password;
    ProxySettings proxy;
    // FTPS checks the certificate too; one that does not check fails the test with its
    // fingerprint, as the wizard has no profile to keep an accepted one in yet.
    RemoteProtocol protocol = RemoteProtocol::Ftp;

    // Connects `session` as the upload would (through the proxy when it is on, Passive from the
    // proxy settings' passive mode), then disconnects. Returns the text of the result label:
    // "Connection OK", or "Could not connect to " + the proxy host or the FTP host + " -- " +
    // the error text. Never throws.
    std::string run(RemoteConnection& session) const;
};

} // namespace pictaven
