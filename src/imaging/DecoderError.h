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

// The fewest bytes that can encode `rawBytes` bytes of picture data when the format's coding
// packs at best `bestRatio` bytes into one (1 for data stored as it is).
std::uint64_t leastEncodedBytes(std::uint64_t rawBytes, std::uint64_t bestRatio);

// Throws DecoderError "<name>: truncated <format> file" when `available` bytes are fewer than
// leastEncodedBytes(rawBytes, bestRatio): such a file cannot hold the picture its header
// claims, and is refused before memory for that picture is taken.
void checkDataHolds(std::uint64_t available, std::uint64_t rawBytes, std::uint64_t bestRatio,
                    const std::string& name, const char* format);

// Best packing ratios of the codings several formats share. Deflate spends at least two bits
// on a match of at most 258 bytes; GIF's LZW at least 3 bits on a code of at most 4096 pixels
// (TIFF's at least 9 bits); PackBits two bytes on a run of 128.
constexpr std::uint64_t DeflateBestRatio = 1032;
constexpr std::uint64_t GifLzwBestRatio = 4096 * 8 / 3 + 1;
constexpr std::uint64_t TiffLzwBestRatio = 4096 * 8 / 9 + 1;
constexpr std::uint64_t PackBitsBestRatio = 64;

// A new 24-bit bitmap of the size read from a file's header, filled with `fill` (each byte).
// Checks the size with checkPictureSize before anything is allocated.
Bitmap allocatePicture(std::int64_t width, std::int64_t height, const std::string& name,
                       std::uint8_t fill = 0);

} // namespace pictaven
