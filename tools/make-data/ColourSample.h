#pragma once

#include "imaging/Bitmap.h"

namespace pictaven::makedata {

// The colour previewer's sample of an index page, 223 by 273 pixels. Its regions are plain
// colours parted by fixed grey outlines, so that a flood fill recolours exactly one of them:
// the page at (1, 1), the template at (48, 48), the two label lines at (67, 87) and (69, 92),
// the thumbnail's background at (73, 119), with the thumbnail's frame on the rectangle
// (65, 101)-(157, 192).
Bitmap drawColourSample();

} // namespace pictaven::makedata
