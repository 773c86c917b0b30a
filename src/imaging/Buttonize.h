#pragma once

#include "imaging/Bitmap.h"

namespace pictaven {

// Bevels the bitmap in place like a raised button lit from the top left: a band depth + 1
// pixels wide is lightened along the top and left edges and darkened along the bottom and
// right, each step moving a channel by `weight` / 255 of its distance to white or to black.
// depth is 0..255 (larger values count as 255). The bitmap becomes 24-bit. Pixels of the band that a small bitmap does not have are skipped.
void buttonize(Bitmap& bitmap, int depth, int weight);

} // namespace pictaven
