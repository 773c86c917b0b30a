#pragma once

#include "imaging/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pictaven {

struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

// JPEG through libjpeg-turbo's libjpeg interface, default decompression settings.
// Every failure throws std::runtime_error carrying libjpeg's message and the file's path;
// libjpeg never ends the process.

// Decodes to a 24-bit bitmap; greyscale is expanded, CMYK and YCCK are converted to colour.
Bitmap readJpeg(const std::string& path);
Bitmap decodeJpeg(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages);

// Width and height from the header, without decoding the pixels.
ImageSize readJpegSize(const std::string& path);

// Baseline JFIF at `quality` (0 to 100, jpeg_set_quality with baseline forced). 32-bit
// bitmaps are written without their alpha byte.
void writeJpeg(const Bitmap& bitmap, const std::string& path, int quality);

} // namespace pictaven
