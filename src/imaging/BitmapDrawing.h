#pragma once

#include "imaging/Bitmap.h"
#include "imaging/Colour.h"
#include "imaging/Rect.h"

#include <cstdint>

namespace pictaven {

// Drawing on bitmaps of 24 or 32 bits a pixel. Every operation clips to the target bitmap:
// parts of rectangles or pictures outside it are skipped. Only the three colour bytes of a
// pixel are written; the fourth byte of a 32-bit pixel keeps its value. Nothing here throws.

// Fills every pixel of `rect`.
void fillRect(Bitmap& target, const Rect& rect, Colour colour);

// A frame one pixel wide along the inside edge of `rect`.
void frameRect(Bitmap& target, const Rect& rect, Colour colour);

// Paints `fill` over the area of pixels of exactly the colour `area` that holds (x, y), pixels
// joined through their four sides. Nothing happens when (x, y) lies outside the bitmap or is
// of another colour. Works without recursion; its work list stays below twice the pixel count.
void floodFill(Bitmap& target, int x, int y, Colour area, Colour fill);

// Copies `source` with its top-left corner at (x, y) of `target` (either may be 24 or 32 bits).
void drawBitmap(Bitmap& target, const Bitmap& source, int x, int y);

// As drawBitmap, but pure white source pixels (255, 255, 255) leave the target unchanged.
void drawBitmapWhiteTransparent(Bitmap& target, const Bitmap& source, int x, int y);

// Stretches the whole of `source` onto `rect` of `target`, nearest neighbour: each target
// pixel takes the source pixel under its centre.
void stretchBitmap(Bitmap& target, const Rect& rect, const Bitmap& source);

// The column (or row) of a source `sourceSize` long under the centre of column `t` of a stretch
// to `targetSize`, as stretchBitmap picks it. 0 <= t < targetSize.
inline int stretchSourceIndex(int t, int targetSize, int sourceSize)
{
    return static_cast<int>((2 * static_cast<std::int64_t>(t) + 1) * sourceSize /
                            (2 * std::int64_t{targetSize}));
}

} // namespace pictaven
