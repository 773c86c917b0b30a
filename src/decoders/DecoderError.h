#pragma once

#include "imaging/Bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace pictaven {

// A picture file that cannot be decoded. The message is "<file name>: <reason>", so that it
// names the file wherever it is shown.
class DecoderError : public std::runtime_error {
public:
    DecoderError(const std::string& name, const std::string& reason);
};

// Throws DecoderError naming the file for an empty size or one beyond the Bitmap limits.
void checkPictureSize(std::int64_t width, std::int64_t height, const std::string& name);

// A new 24-bit bitmap of the size read from a file's header, filled with `fill` (each byte).
// Checks the size with checkPictureSize before anything is allocated.
Bitmap allocatePicture(std::int64_t width, std::int64_t height, const std::string& name,
                       std::uint8_t fill = 0);

} // namespace pictaven
