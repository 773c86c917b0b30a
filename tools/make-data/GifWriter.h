#pragma once

#include "Canvas.h"

#include <string>

namespace pictaven::makedata {

// Writes the canvas as a GIF89a picture through giflib: pixels at least half covered keep their
// colour, the others become the transparent colour. Colours are kept exactly, in a palette
// ordered by colour, so the same canvas always gives the same bytes. Throws std::runtime_error
// naming the path, also for a picture of more than 255 colours.
void writeGif(const Canvas& canvas, const std::string& path);

} // namespace pictaven::makedata
