#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

// The whole content of a picture file, read through InputFile: only a regular file of at most
// InputFile::MaxPictureBytes is read. Throws DecoderError "<path>: <reason>" when the file
// cannot be opened or read, or is not such a file.
std::vector<std::uint8_t> readFileBytes(const std::string& path);

} // namespace pictaven
