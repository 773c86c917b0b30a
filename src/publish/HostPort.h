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
// text are ignored. The host must be an IPv4 or IPv6 address or a DNS name: dot-separated labels
// of ASCII letters, digits, hyphens (not at either end) and underscores. Throws FtpError
// "Invalid port in host name <text>" for a port that is not a number from 1 to 65535, and
// "Invalid host name <text>" for anything else that cannot name a host (empty, blanks or other
// characters inside, an empty label, a bad bracket or address).
HostPort parseHostPort(const std::string& text, std::uint16_t defaultPort);

} // namespace pictaven
