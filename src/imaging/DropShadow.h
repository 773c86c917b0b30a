#pragma once

#include "imaging/Bitmap.h"
#include "imaging/Colour.h"

namespace pictaven {

// The soft drop shadow of thumbnails: 16 pixels wide to the right and below.
inline constexpr int ShadowMargin = 16;

// Grows `picture` (24 or 32 bits) by ShadowMargin pixels to the right and below; the new
// margin holds a blurred shadow over the background. The background is the area of
// `background` (not owned, not changed; 24 or 32 bits) whose top-left corner is (x, y): the
// picture's own area of it when the picture is drawn there later. Without a background
// (nullptr) a plain area of `backgroundColour` is used and (x, y) should be (0, 0). Parts of the
// margin outside the background keep the bare shadow strip. The picture becomes 32-bit. Throws
// std::length_error only when the grown picture would pass the Bitmap limits.
void drawShadow(const Bitmap* background, Bitmap& picture, int x, int y, Colour backgroundColour);

// Darkens background pixels by a shadow mask: for every pixel (c, r) of `mask` whose
// background position (ox + c, oy + r) lies inside `background`, destination (c, r) becomes that
// background pixel scaled by the squared grey level of the mask pixel (white keeps it). Other
// destination pixels are left as they are. `destination` must be at least the mask's size and
// may be the mask itself. Throws nothing.
void blendShadow(const Bitmap& background, const Bitmap& mask, Bitmap& destination, int ox, int oy);

} // namespace pictaven
