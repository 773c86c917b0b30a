#include "imaging/PreShrink.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/Rect.h"

#include <exception>

namespace pictaven {

float preShrinkFactor(int width, int height)
{
    // The tests are strict and each later one overrides the one before.
    float factor = 1.0f;
    if (width > 600 || height > 600)
        factor = 0.5f;
    if (width > 1000 || height > 1000)
        factor = 0.3f;
    if (width > 2000 || height > 2000)
        factor = 0.2f;
    return factor;
}

void preShrink(const Bitmap& picture, Bitmap& dst)
{
    try {
        const double factor = preShrinkFactor(picture.width(), picture.height());
        const int width = static_cast<int>(picture.width() * factor);
        const int height = static_cast<int>(picture.height() * factor);
        Bitmap shrunk(width, height, picture.bitsPerPixel());
        stretchBitmap(shrunk, Rect{0, 0, width, height}, picture);
        dst = std::move(shrunk);
    } catch (const std::exception&) {
        // Deliberately swallowed: the caller goes on with dst as it was.
    }
}

} // namespace pictaven
