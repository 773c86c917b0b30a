#pragma once

#include <cstdint>
#include <vector>

namespace pictaven {

// Turns a packed raster of width x height elements of `bytesPerElement` bytes each (palette
// indices, grey, RGB or RGBA), rows top to bottom, the way rotateBitmap turns bitmaps:
// 1 a quarter turn left, 2 right, 3 a half turn. A quarter turn gives a height x width raster.
// Throws std::invalid_argument for another rotation or a buffer of the wrong size.
std::vector<std::uint8_t> turnPixels(const std::vector<std::uint8_t>& pixels, int width, int height,
                                     int bytesPerElement, int rotation);

} // namespace pictaven
