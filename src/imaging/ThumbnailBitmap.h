#pragma once

#include "imaging/Bitmap.h"

#include <optional>

namespace pictaven {

// A photo loaded for its thumbnail: the full picture's size and a pre-shrunk copy of it.
struct ThumbnailSource {
    int width = 0;  // the decoded picture, pixels
    int height = 0;
    Bitmap preShrunk; // preShrink of the decoded picture (same depth); empty once `thumbnail` is made
    // The thumbnail bitmap made from preShrunk for the album's thumbnail shape, when it was made
    // ahead of the page.
    std::optional<Bitmap> thumbnail;
};

// Pre-shrinks a decoded picture for its thumbnail. Throws nothing (see preShrink).
ThumbnailSource makeThumbnailSource(const Bitmap& picture);

// Where the index page puts one thumbnail and how it is turned.
struct ThumbnailShape {
    bool aspectRatio = true;
    // AspectRatio on: the thumbnail rectangle's size (the fitted size less 2 each way) and the
    // fitted size itself, both already exchanged for quarter turns as the page lays them out.
    int rectWidth = 0;
    int rectHeight = 0;
    int fittedWidth = 0;
    int fittedHeight = 0;
    // AspectRatio off: the album's ThumbWidth x ThumbHeight.
    int thumbWidth = 0;
    int thumbHeight = 0;
    int rotation = 0;       // the photo's Rotation: 1 left, 2 right, 3 half turn
    bool mirrored = false;  // mirrored left to right after the turn
    bool buttonize = false; // bevel (AspectRatio on only)
};

// Scales the pre-shrunk picture into the thumbnail (Lanczos 3; a plain stretch when the
// pre-shrunk picture is under 20 pixels wide or high and AspectRatio is on), turns and mirrors
// it as the photo asks and bevels it. The result has the turned shape. Throws std::length_error for a shape beyond the Bitmap
// limits, and std::runtime_error("Source bitmap too small") when an empty pre-shrunk picture
// has to be resampled (AspectRatio off).
Bitmap makeThumbnailBitmap(const Bitmap& preShrunk, const ThumbnailShape& shape);

} // namespace pictaven
