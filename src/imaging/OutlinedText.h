#pragma once

#include "imaging/Bitmap.h"
#include "imaging/TextRenderer.h"

#include <cstdint>
#include <string>

namespace pictaven {

// Draws `text` in `font` with the top-left corner of its cell at (x, y) over a transparent
// background, in `colour` (settings form), with a one-pixel outline: black, or white when the
// colour is one of the dark standard colours (black, blue, grey, green, maroon, red, navy,
// olive, purple). Clipped to the bitmap; throws nothing of its own.
void drawOutlinedText(Bitmap& bitmap, TextRenderer& font, int x, int y, const std::string& text,
                      std::uint32_t colour);

// The outline colour drawOutlinedText uses around text of `colour`.
std::uint32_t outlineColourFor(std::uint32_t colour);

} // namespace pictaven
