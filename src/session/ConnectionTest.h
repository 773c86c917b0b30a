#pragma once

#include "app/ProxySettings.h"
#include "publish/RemoteProtocol.h"

#include <string>

namespace pictaven {

class RemoteConnection;

// What a connection test came to.
struct ConnectionResult {
    // The text of the result label.
    std::string label;
    // When the server's certificate or host key was refused only because nobody was asked: the
    // question to put to the person. A yes is given to the same test run again.
    std::string trustQuestion;
    // After a connection: the fingerprint trusted for it, empty when it checked on its own.
    std::string trustedKey;
};

// One connection test of the FTP set-up wizard, holding copies of everything it needs so that
// it can run on a worker while the wizard's fields go on changing.
struct ConnectionTest {
    std::string host; // as typed, optionally host:port
    std::string user;
    std::string password;
    ProxySettings proxy;
    RemoteProtocol protocol = RemoteProtocol::Ftp;
    // FTPS and SFTP check the server's certificate or host key too. One that does not check is
    // accepted when it is this trusted key, or when the server asks exactly the question the
    // person has answered with yes; it is never accepted on the worker.
    std::string trustedKey;
    std::string answeredQuestion;

    // Connects `session` as the upload would (through the proxy when it is on, Passive from the
    // proxy settings' passive mode), then disconnects. Returns the text of the result label:
    // "Connection OK", or "Could not connect to " + the proxy host or the FTP host + " -- " +
    // the error text. Never throws.
    ConnectionResult run(RemoteConnection& session) const;
};

} // namespace pictaven
