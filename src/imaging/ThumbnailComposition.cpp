#include "imaging/ThumbnailComposition.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/DropShadow.h"

namespace pictaven {

void composeThumbnail(Bitmap& thumbnail, const Bitmap* albumPicture, int left, int top, const Rect& cell,
                      const ThumbnailStyle& style)
{
    const int tw = thumbnail.width();
    const int th = thumbnail.height();
    const bool backdrop = style.backdrop && style.aspectRatio;
    // Only a picture album's thumbnail fills its whole cell; a basic album's keeps its own size.
    Bitmap work = backdrop && albumPicture ? Bitmap(cell.width(), cell.height(), 32) : Bitmap(tw, th, 32);
    if (backdrop) {
        fillRect(work, {0, 0, work.width(), work.height()}, style.thumbBackground);
        drawBitmap(work, thumbnail, (work.width() - tw) / 2, (work.height() - th) / 2);
    } else {
        drawBitmap(work, thumbnail, 0, 0);
    }
    if (style.border)
        frameRect(work, {0, 0, work.width(), work.height()}, style.borderColour);
    if (style.shadow) {
        const bool atCell = albumPicture && backdrop;
        drawShadow(albumPicture, work, atCell ? cell.left : left, atCell ? cell.top : top,
                   backdrop ? style.thumbBackground : style.pageBackground);
    }
    thumbnail = std::move(work);
}

} // namespace pictaven
