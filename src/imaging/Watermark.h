#pragma once

#include "imaging/Bitmap.h"

#include <string>

namespace pictaven {

// The watermark settings of an album, already converted from their texts.
struct WatermarkOptions {
    int type = 0;        // 0 none, 1 text, 2 picture (other values: none)
    int orientation = 3; // 0 top left, 1 bottom left, 2 top right, 3 (and any other) bottom right
    std::string text;    // UTF-8, for type 1
    int fontSizePoints = 12;
};

// Distance of a watermark from the side edges of the photo, in pixels.
inline constexpr int WatermarkMargin = 30;

// Stamps the watermark on the photo (24 or 32 bits), upright, in the corner `orientation`
// names. Text: white "Helvetica" at fontSizePoints with a black outline. Picture: `picture`
// (not owned; nullptr when the watermark picture could not be loaded, and then nothing is drawn)
// with pure white as its transparent colour. Type 0 draws nothing.
// Throws std::runtime_error when the text font cannot be loaded or its size is not positive.
// Safe to call from several threads at once: each call makes its own font object.
void drawWatermark(Bitmap& photo, const WatermarkOptions& options, const Bitmap* picture);

} // namespace pictaven
