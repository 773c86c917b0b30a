#pragma once

#include "WindowPicture.h"

#include <vector>

namespace pictaven::makedata {

// The nine tool-bar pictures, 20 pixels square, in resource/: New, open, Save, config,
// compress, ftp, jpg, surf and Help.
std::vector<WindowPicture> toolBarPictures();

} // namespace pictaven::makedata
