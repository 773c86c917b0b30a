#pragma once

#include "imaging/Bitmap.h"
#include "imaging/ImageSize.h"

#include <cstdint>
#include <span>
#include <string>

namespace pictaven {

// Reads a picture file into a new 24-bit bitmap with the reader its extension selects (every
// format of PictureFormats.h, JPEG included). Throws std::runtime_error, with a
// message starting with the path, for a file that cannot be read or is not a regular file (a
// folder, a named pipe, a device: see InputFile), an extension no reader handles, and damaged
// or unsupported content.
Bitmap loadPicture(const std::string& path);

// The width and height of a picture file from its header alone, without decoding the pixels.
// Throws like loadPicture, for a damaged header only.
ImageSize readPictureSize(const std::string& path);

// The same for a file already in memory; `path` selects the reader and names the file.
Bitmap decodePicture(std::span<const std::uint8_t> data, const std::string& path);

} // namespace pictaven
