#pragma once

#include "imaging/Bitmap.h"

namespace pictaven {

// The reduction factor for a picture of width x height before thumbnailing: 1, or 0.5 beyond
// 600 pixels a side, 0.3 beyond 1000, 0.2 beyond 2000 (as 32-bit floats).
float preShrinkFactor(int width, int height);

// Replaces dst with `picture` stretched (nearest neighbour) to trunc(width * factor) x
// trunc(height * factor) pixels, at the picture's depth. Throws nothing: on any failure dst
// stays as it was.
void preShrink(const Bitmap& picture, Bitmap& dst);

} // namespace pictaven
