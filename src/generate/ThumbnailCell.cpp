#include "generate/ThumbnailCell.h"

#include "settings/AlbumSettings.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pictaven {

ThumbnailCell ThumbnailCell::place(const AlbumSettings& s, int x, int y, int pictureWidth, int pictureHeight,
                                   int rotation)
{
    int w = pictureWidth;
    int h = pictureHeight;
    if (rotation == 1 || rotation == 2)
        std::swap(w, h);
    ThumbnailCell result;
    if (s.AspectRatio) {
        const float widthScale = static_cast<float>(s.ThumbWidth) / static_cast<float>(w);
        const float heightScale = static_cast<float>(s.ThumbHeight) / static_cast<float>(h);
        const float scale = widthScale <= heightScale ? widthScale : heightScale;
        // The products are not rounded to 32 bits: a scale a hair below ThumbWidth / w must
        // give one pixel less, as it always has.
        // A hairline picture keeps at least one pixel each way instead of a size of 0.
        result.fittedWidth = std::max(1, static_cast<int>(std::trunc(static_cast<double>(w) * scale)));
        result.fittedHeight = std::max(1, static_cast<int>(std::trunc(static_cast<double>(h) * scale)));
        Rect& r = result.thumbnail;
        r.left = x + (s.ThumbWidth - result.fittedWidth) / 2 + 1;
        r.top = y + (s.ThumbHeight - result.fittedHeight) / 2 + 1;
        r.right = r.left + result.fittedWidth - 2;
        r.bottom = r.top + result.fittedHeight - 2;
        // A fitted size of 2 pixels or less would leave the rectangle empty or turned inside out;
        // it keeps one row or column.
        if (r.bottom <= r.top)
            r.bottom = r.top + 1;
        if (r.right <= r.left)
            r.right = r.left + 1;
    } else {
        result.fittedWidth = s.ThumbWidth;
        result.fittedHeight = s.ThumbHeight;
        result.thumbnail = {x, y, x + s.ThumbWidth, y + s.ThumbHeight};
    }
    result.cell = s.Backdrop ? Rect{x - 1, y - 1, x + s.ThumbWidth, y + s.ThumbHeight} : result.thumbnail;
    return result;
}

} // namespace pictaven
