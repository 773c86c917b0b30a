#pragma once

#include <string>
#include <string_view>

namespace pictaven {

// The SHA-256 of a file's bytes as 64 lower-case hex digits. Reads the file in chunks. Throws
// IoError naming the file when it cannot be read.
std::string fileSha256(const std::string& path);

// The SHA-256 of `bytes` as 64 lower-case hex digits.
std::string textSha256(std::string_view bytes);

} // namespace pictaven
