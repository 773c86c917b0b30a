#include "publish/HostPort.h"

#include "publish/FtpError.h"

#include <algorithm>

namespace pictaven {

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
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

} // namespace

HostPort parseHostPort(const std::string& text, std::uint16_t defaultPort)
{
    const std::string whole = trimmed(text);
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
    if (result.host.empty())
        throw FtpError("Invalid host name " + whole);
    return result;
}

} // namespace pictaven
