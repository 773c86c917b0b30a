#include "publish/RemoteProtocol.h"

#include <strings.h>

namespace pictaven {

const char* protocolName(RemoteProtocol protocol)
{
    switch (protocol) {
    case RemoteProtocol::Ftps:
        return "FTPS";
    case RemoteProtocol::Sftp:
        return "SFTP";
    case RemoteProtocol::Ftp:
        break;
    }
    return "FTP";
}

std::optional<RemoteProtocol> parseProtocol(const std::string& name)
{
    for (const RemoteProtocol protocol : remoteProtocols) {
        if (::strcasecmp(name.c_str(), protocolName(protocol)) == 0)
            return protocol;
    }
    return std::nullopt;
}

std::uint16_t defaultPort(RemoteProtocol protocol)
{
    return protocol == RemoteProtocol::Sftp ? 22 : 21;
}

} // namespace pictaven
