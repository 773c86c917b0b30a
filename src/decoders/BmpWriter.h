#pragma once

#include "imaging/Bitmap.h"

#include <string>

namespace pictaven {

// Writes an uncompressed Windows bitmap at the bitmap's own depth, 24 or 32 bits a pixel
// (BITMAPINFOHEADER, rows bottom to top, each padded to four bytes, 96 dots per inch), so that
// decodeBmp gives the same colours back. The file is replaced whole or not at all. Throws
// IoError naming the path.
void writeBmp(const Bitmap& bitmap, const std::string& path);

} // namespace pictaven
