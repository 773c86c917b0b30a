#pragma once

#include "imaging/Bitmap.h"
#include "imaging/ImageSize.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace pictaven {

// JPEG through libjpeg-turbo's libjpeg interface, default decompression settings.
// Every failure throws std::runtime_error carrying libjpeg's message and the file's path;
// libjpeg never ends the process.

// Decodes to a 24-bit bitmap; greyscale is expanded, CMYK and YCCK are converted to colour.
Bitmap readJpeg(const std::string& path);
Bitmap decodeJpeg(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages);

// A JPEG file decoded band by band, top to bottom, so that the whole picture is never held:
// start() receives the picture's size before the first band; band() receives a 24-bit bitmap
// whose top rowCount rows (at least one) are picture rows firstRow onwards, the same bytes
// readJpeg gives. The bitmap is reused for the next band. Exceptions thrown by the callbacks
// end the decode and reach the caller; std::length_error and std::bad_alloc become failures
// naming the file, as the decoder's own do.
struct JpegBandReader {
    std::function<void(ImageSize size)> start;
    std::function<void(const Bitmap& band, int firstRow, int rowCount)> band;
};
// Throws like readJpeg.
void readJpegBands(const std::string& path, const JpegBandReader& reader);

// Width and height from the header, without decoding the pixels.
ImageSize readJpegSize(const std::string& path);
ImageSize decodeJpegSize(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages);

// Baseline JFIF at `quality` (0 to 100, jpeg_set_quality with baseline forced). 32-bit
// bitmaps are written without their alpha byte. Throws std::runtime_error with libjpeg's message.
std::string encodeJpeg(const Bitmap& bitmap, int quality);
// The same bytes as a file at `path`; leaves no file when it fails. Throws std::runtime_error
// naming the file.
void writeJpeg(const Bitmap& bitmap, const std::string& path, int quality);

} // namespace pictaven
