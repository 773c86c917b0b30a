#pragma once

#include "imaging/Bitmap.h"
#include "imaging/Colour.h"
#include "imaging/Rect.h"

namespace pictaven {

// How a finished thumbnail looks around the picture.
struct ThumbnailStyle {
    bool aspectRatio = true;
    bool backdrop = false;
    bool border = true;
    bool shadow = true; // already false where the album shows no shadow
    Colour thumbBackground{255, 255, 255}; // ThumbBgColor
    Colour borderColour{};                 // ThumbBorderColor
    Colour pageBackground{255, 255, 255};  // WebBgColor
};

// Composes `thumbnail` in place: backdrop, border and drop shadow. `albumPicture` (not owned,
// not changed) is the page's album picture of a graphical album, nullptr for a basic album;
// (left, top) is where the thumbnail rectangle lies on it ((0, 0) for a basic album) and `cell`
// the cell rectangle. The thumbnail becomes 32-bit; with a shadow it grows by ShadowMargin.
// Throws std::length_error only for sizes beyond the Bitmap limits.
void composeThumbnail(Bitmap& thumbnail, const Bitmap* albumPicture, int left, int top, const Rect& cell,
                      const ThumbnailStyle& style);

} // namespace pictaven
