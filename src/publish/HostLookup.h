#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <sys/socket.h>
#include <vector>

namespace pictaven {

// One address a host name resolved to, ready for connect().
struct ResolvedAddress {
    int family = 0;
    sockaddr_storage address{};
    socklen_t length = 0;
};

// Resolves `host` for `service` into `found`; returns 0 or a getaddrinfo error code. May block
// for as long as the system's resolver likes.
using HostResolver = std::function<int(
    const std::string& host, const std::string& service, std::vector<ResolvedAddress>& found)>;

// The system resolver (getaddrinfo, TCP addresses of any family).
int resolveWithSystem(
    const std::string& host, const std::string& service, std::vector<ResolvedAddress>& found);

// The addresses of `host` (a name or a numeric address) for TCP `port`. A name is looked up on
// a thread of its own, waited for at most `timeoutMs`: a resolver that never answers is left
// behind instead of hanging the caller. Throws FtpError "Host not found: <host>" or
// "Host lookup timed out: <host>".
std::vector<ResolvedAddress> lookUpHost(const std::string& host, std::uint16_t port, int timeoutMs,
    const HostResolver& resolver = resolveWithSystem);

} // namespace pictaven
