#pragma once

#include "Canvas.h"

#include <string>

namespace pictaven::makedata {

// Writes the canvas as an 8-bit RGBA PNG, its coverage as the alpha channel, with no time or
// text chunks, so that the bytes depend on the pixels alone. Throws IoError naming the path.
void writePng(const Canvas& canvas, const std::string& path);

} // namespace pictaven::makedata
