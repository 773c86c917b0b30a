#pragma once

#include "Canvas.h"

#include <string>

namespace pictaven::makedata {

// Writes the canvas as a GIF89a picture through giflib: pixels at least half covered keep their
// colour, the others become the transparent colour. A picture of at most 255 colours keeps
// them exactly; more are reduced by giflib's median cut. The palette is ordered by colour, so
// the same canvas always gives the same bytes. Throws std::runtime_error naming the path.
void writeGif(const Canvas& canvas, const std::string& path);

} // namespace pictaven::makedata
