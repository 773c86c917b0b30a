#include "publish/HostPort.h"

#include "ini/TrimmedText.h"
#include "publish/FtpError.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <string_view>

namespace pictaven {

namespace {

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// An IPv6 address, optionally with "%" and the zone (interface) of a link-local one.
bool isIpv6Address(const std::string& host)
{
    const auto percent = host.find('%');
    in6_addr address{};
    if (::inet_pton(AF_INET6, host.substr(0, percent).c_str(), &address) != 1)
        return false;
    if (percent == std::string::npos)
        return true;
    const std::string zone = host.substr(percent + 1);
    return !zone.empty() && std::all_of(zone.begin(), zone.end(), [](char c) { return isNameCharacter(c) || c == '.'; });
}

// Dot-separated labels of letters, digits, hyphens (not at either end) and, as some local
// networks have them, underscores; one dot may end the name. A name whose last label is a
// number is an IPv4 address, in any form the system's lookup takes.
bool isNameOrIpv4Address(std::string_view host)
{
    if (host.ends_with('.'))
        host.remove_suffix(1);
    if (host.empty() || host.size() > 253)
        return false;
    std::string_view lastLabel;
    for (std::size_t start = 0; start <= host.size();) {
        const auto dot = std::min(host.find('.', start), host.size());
        const std::string_view label = host.substr(start, dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-' ||
            !std::all_of(label.begin(), label.end(), isNameCharacter))
            return false;
        lastLabel = label;
        start = dot + 1;
    }
    if (!std::all_of(lastLabel.begin(), lastLabel.end(), isDigit))
        return true;
    in_addr address{};
    return ::inet_aton(std::string(host).c_str(), &address) != 0;
}

std::uint16_t parsePort(const std::string& digits, const std::string& whole)
{
    if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return c >= '0' && c <= '9';
        }))
        throw FtpError("Invalid port in host name " + whole);
    const unsigned long value = std::stoul(digits);
    if (value < 1 || value > 65535)
        throw FtpError("Invalid port in host name " + whole);
    return static_cast<std::uint16_t>(value);
}

// The host and port of `whole` (trimmed), the host not yet checked.
HostPort split(const std::string& whole, std::uint16_t defaultPort)
{
    HostPort result;
    result.port = defaultPort;
    if (!whole.empty() && whole.front() == '[') {
        const auto close = whole.find(']');
        if (close == std::string::npos || close == 1)
            throw FtpError("Invalid host name " + whole);
        result.host = whole.substr(1, close - 1);
        const std::string rest = whole.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':')
                throw FtpError("Invalid host name " + whole);
            result.port = parsePort(rest.substr(1), whole);
        }
        return result;
    }
    const auto firstColon = whole.find(':');
    if (firstColon == std::string::npos) {
        result.host = whole;
    } else if (whole.find(':', firstColon + 1) != std::string::npos) {
        // Two colons or more: an IPv6 address written without brackets, which cannot carry a port.
        result.host = whole;
    } else {
        result.host = whole.substr(0, firstColon);
        result.port = parsePort(whole.substr(firstColon + 1), whole);
    }
    return result;
}

} // namespace

HostPort parseHostPort(const std::string& text, std::uint16_t defaultPort)
{
    const std::string whole = trimmed(text);
    const HostPort result = split(whole, defaultPort);
    const bool ipv6 = result.host.find(':') != std::string::npos;
    if (ipv6 ? !isIpv6Address(result.host) : !isNameOrIpv4Address(result.host))
        throw FtpError("Invalid host name " + whole);
    return result;
}

} // namespace pictaven
