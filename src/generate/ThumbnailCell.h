#pragma once

#include "imaging/Rect.h"

namespace pictaven {

struct AlbumSettings;

// Where one photo's thumbnail goes in its cell of an index page, in pixels.
struct ThumbnailCell {
    // The thumbnail rectangle: with AspectRatio on, the fitted size less 2 each way, centred in
    // the cell (one pixel wider or higher where that would leave it empty); with it off, the
    // cell (x, y, x + ThumbWidth, y + ThumbHeight). A hairline picture keeps a fitted size of
    // at least 1 and a rectangle of at least one pixel.
    Rect thumbnail;
    // The cell rectangle for the image map and the frame: (x - 1, y - 1, x + ThumbWidth,
    // y + ThumbHeight) with Backdrop on, else the thumbnail rectangle.
    Rect cell;
    // The fitted size the thumbnail rectangle was made from (ThumbWidth x ThumbHeight with
    // AspectRatio off).
    int fittedWidth = 0;
    int fittedHeight = 0;

    // Lays out the cell at (x, y) for a picture of pictureWidth x pictureHeight (not 0) with the
    // photo's Rotation (1 and 2 exchange width and height). The scale is a 32-bit float, the
    // fitted size truncated, never rounded.
    static ThumbnailCell place(const AlbumSettings& settings, int x, int y, int pictureWidth, int pictureHeight,
                               int rotation);
};

} // namespace pictaven
