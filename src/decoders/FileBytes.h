#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

// The whole content of a file. Throws DecoderError "<path>: <system's reason>" when the file
// cannot be opened or read.
std::vector<std::uint8_t> readFileBytes(const std::string& path);

} // namespace pictaven
