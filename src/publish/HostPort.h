#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

struct HostPort {
    std::string host; // name or numeric address, IPv6 without brackets
    std::uint16_t port = 0;
};

// Splits "host", "host:port", "[v6-address]:port", "[v6-address]" or a bare IPv6 address
// ("::1", more than one colon, no port). A missing port gives `defaultPort`. Blanks around the
// text are ignored. Throws FtpError "Invalid port in host name <text>" for a port that is not a
// number from 1 to 65535, and "Invalid host name <text>" for an empty host or a bad bracket.
HostPort parseHostPort(const std::string& text, std::uint16_t defaultPort);

} // namespace pictaven
