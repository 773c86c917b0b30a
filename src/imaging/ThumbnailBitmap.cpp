#include "imaging/ThumbnailBitmap.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/Buttonize.h"
#include "imaging/PreShrink.h"
#include "imaging/ResampleFilters.h"
#include "imaging/RotateBitmap.h"
#include "imaging/StretchAndResample.h"

namespace pictaven {
namespace {

// Below this width or height a pre-shrunk picture is stretched rather than resampled.
constexpr int SmallestResampled = 20;
constexpr int BevelDepth = 4;
constexpr int BevelWeight = 100;
constexpr float LanczosSupport = 3;

bool quarterTurn(int rotation)
{
    return rotation == 1 || rotation == 2;
}

} // namespace

ThumbnailSource makeThumbnailSource(const Bitmap& picture)
{
    ThumbnailSource source;
    source.width = picture.width();
    source.height = picture.height();
    preShrink(picture, source.preShrunk);
    return source;
}

Bitmap makeThumbnailBitmap(const Bitmap& preShrunk, const ThumbnailShape& shape)
{
    Bitmap thumbnail;
    if (shape.aspectRatio) {
        // The picture is scaled in its unturned shape and turned afterwards.
        const bool quarter = quarterTurn(shape.rotation);
        thumbnail = Bitmap(quarter ? shape.rectHeight : shape.rectWidth, quarter ? shape.rectWidth : shape.rectHeight);
        if (preShrunk.width() < SmallestResampled || preShrunk.height() < SmallestResampled) {
            // Stretched to the fitted size, unturned like the thumbnail, and cut to the thumbnail.
            const int width = quarter ? shape.fittedHeight : shape.fittedWidth;
            const int height = quarter ? shape.fittedWidth : shape.fittedHeight;
            stretchBitmap(thumbnail, Rect{0, 0, width, height}, preShrunk);
        } else {
            stretchAndResample(preShrunk, thumbnail, lanczos3Filter, LanczosSupport);
        }
    } else {
        thumbnail = Bitmap(shape.thumbWidth, shape.thumbHeight);
        stretchAndResample(preShrunk, thumbnail, lanczos3Filter, LanczosSupport);
    }
    orientBitmap(thumbnail, shape.rotation, shape.mirrored);
    if (shape.aspectRatio && shape.buttonize)
        buttonize(thumbnail, BevelDepth, BevelWeight);
    return thumbnail;
}

} // namespace pictaven
