#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace pictaven {

// How a profile reaches its server: plain FTP, FTP with explicit TLS (AUTH TLS on the FTP port),
// or SFTP over SSH.
enum class RemoteProtocol { Ftp, Ftps, Sftp };

inline constexpr std::array<RemoteProtocol, 3> remoteProtocols = {RemoteProtocol::Ftp, RemoteProtocol::Ftps,
                                                                  RemoteProtocol::Sftp};

// "FTP", "FTPS" or "SFTP", as the profile file and the windows spell it.
const char* protocolName(RemoteProtocol protocol);
// The protocol a name stands for, without regard to case; nothing for anything else.
std::optional<RemoteProtocol> parseProtocol(const std::string& name);
// The port used when the host names none: 21 for FTP and FTPS, 22 for SFTP.
std::uint16_t defaultPort(RemoteProtocol protocol);

} // namespace pictaven
