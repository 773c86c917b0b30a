#pragma once

#include "WindowPicture.h"

namespace pictaven::makedata {

// gradient.res, the tile over the main window's background: 16 by 600 pixels, light at the
// top and settling into the window's blue.
WindowPicture backgroundGradient();

} // namespace pictaven::makedata
