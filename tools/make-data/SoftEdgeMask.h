#pragma once

#include "imaging/Bitmap.h"

namespace pictaven::makedata {

// The soft-edge mask: white in the middle, falling smoothly to black at the four edges over
// the outer eighth of each side, with rounded corners. Every pixel is grey (blue, green and red
// equal), as the soft edge asks of a mask that only blends.
Bitmap drawSoftEdgeMask(int width, int height);

} // namespace pictaven::makedata
