#pragma once

#include <string>

namespace pictaven {

// The form in which passwords are kept in album.cfg and in FTP profiles: the byte at 1-based
// position i is stored as its value plus i, modulo 256; reading subtracts i again. It hides a
// password from a glance, nothing more. Works on bytes, so UTF-8 passwords round-trip; the
// stored form may hold any byte value, including ones that are not valid UTF-8.
std::string scramblePassword(const std::string& password);
std::string unscramblePassword(const std::string& stored);

} // namespace pictaven
