#pragma once

#include "imaging/Bitmap.h"

#include <cstdint>
#include <string>

namespace pictaven {

// The soft edge of a rendered photo: the mask picture says per pixel how much of the photo
// stays. A grey mask pixel of level v keeps v / 255 of the photo and fills the rest with
// `colour` (the settings form B * 65536 + G * 256 + R); a coloured (not grey) mask pixel
// replaces the photo pixel by its own colour.

// `maskPicture` (24 or 32 bits, not changed) is stretched, nearest neighbour, to the photo's
// size. The photo becomes 32-bit. Throws std::length_error only when memory limits are hit.
void maskWith(Bitmap& photo, const Bitmap& maskPicture, std::uint32_t colour);

// The same with the mask read from a JPEG file. Throws std::runtime_error (naming the file)
// when the mask cannot be read; the photo is then unchanged.
void mask(Bitmap& photo, const std::string& maskPath, std::uint32_t colour);

} // namespace pictaven
