#pragma once

#include "imaging/Bitmap.h"

namespace pictaven::makedata {

// The picture shown in place of a photo that cannot be read: a grey picture frame with
// mountains and a sun, crossed out by a red badge. 128 by 96 pixels.
Bitmap drawErrorPicture();

} // namespace pictaven::makedata
