#pragma once

#include "WindowPicture.h"

#include <vector>

namespace pictaven::makedata {

// The pictures of the five step panels, 48 pixels square (resource/step1.res to step5.res),
// and the two frames of the Generate control's blinking picture, 64 pixels square
// (resource/generate.res lit, resource/generate2.res dim).
std::vector<WindowPicture> stepPictures();

} // namespace pictaven::makedata
