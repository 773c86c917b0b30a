#pragma once

#include "ButtonGlyph.h"
#include "Canvas.h"

#include <string>
#include <vector>

namespace pictaven::makedata {

// How one set of navigation buttons looks.
struct ButtonStyle {
    int width;
    int height;
    float radius;    // corner radius; half the height gives round ends (a circle when square)
    Rgba top;        // body colour at the top edge
    Rgba bottom;     // and at the bottom edge
    Rgba outline;    // the one-pixel rim
    Rgba glyph;      // the symbol
    bool gloss;      // a soft light reflection over the upper half
    float glyphSize; // symbol height in pixels
};

// One button of a set.
Canvas drawButton(const ButtonStyle& style, Glyph glyph);

// Writes NAVBUTS below `folder` (which ends in "/"): the fixed pictures home, first, prev,
// next, last and speaker with index.gif (the "VCR Controls" set shares home, prev and next),
// and <n>Next, <n>Prev, <n>Index and <n>Home for the sets 1 to 9. Returns the paths written,
// relative to `folder`. Throws std::runtime_error or IoError when a file cannot be written.
std::vector<std::string> writeNavigationButtons(const std::string& folder);

} // namespace pictaven::makedata
