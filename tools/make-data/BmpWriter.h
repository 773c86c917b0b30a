#pragma once

#include "imaging/Bitmap.h"

#include <string>

namespace pictaven::makedata {

// Writes a 24-bit Windows bitmap (BITMAPINFOHEADER, rows bottom to top, each padded to four
// bytes, 96 dots per inch). 32-bit bitmaps are written without their fourth byte. Throws
// IoError naming the path.
void writeBmp(const Bitmap& bitmap, const std::string& path);

} // namespace pictaven::makedata
