#include "imaging/DropShadow.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/GSBlur.h"
#include "imaging/RecentResults.h"
#include "imaging/Rect.h"

#include <tuple>

namespace pictaven {
namespace {

constexpr Colour White{255, 255, 255};
constexpr Colour BarGrey{80, 80, 80};
constexpr double BlurRadius = 4;
// The bars start this far in from the picture's corners, so the shadow looks lit from the top left.
constexpr int Offset = 8;
// Width of the grey bar that the blur spreads into the shadow.
constexpr int Bar = 4;

// A white strip with a grey bar, blurred.
Bitmap shadowStrip(int width, int height, const Rect& bar)
{
    Bitmap strip(width, height, 24);
    fillRect(strip, {0, 0, width, height}, White);
    fillRect(strip, bar, BarGrey);
    gsBlur(strip, BlurRadius);
    return strip;
}

// shadowStrip for the thumbnails of an album, which come in a few sizes: each thread keeps the
// strips of the last sizes it blurred rather than blurring the same strip for every thumbnail.
Bitmap keptShadowStrip(int width, int height, const Rect& bar)
{
    thread_local RecentResults<std::tuple<int, int, Rect>, Bitmap, 16> kept;
    return kept.get({width, height, bar}, [&] { return shadowStrip(width, height, bar); });
}

} // namespace

void blendShadow(const Bitmap& background, const Bitmap& mask, Bitmap& destination, int ox, int oy)
{
    const int maskStep = mask.bytesPerPixel();
    const int backgroundStep = background.bytesPerPixel();
    const int destinationStep = destination.bytesPerPixel();
    for (int r = 0; r < mask.height(); ++r) {
        const int by = oy + r;
        if (by < 0 || by >= background.height())
            continue;
        for (int c = 0; c < mask.width(); ++c) {
            const int bx = ox + c;
            if (bx < 0 || bx >= background.width())
                continue;
            const std::uint8_t* m = mask.row(r) + c * maskStep;
            // Read before writing: the destination may be the mask itself.
            float v = static_cast<float>(static_cast<double>(static_cast<float>(m[0] + m[1] + m[2])) * (1.0 / 3.0));
            if (!(v > 252.0f))
                v = static_cast<float>(static_cast<double>(v) * v / 255.0);
            if (!(v > 0.0f))
                v = 0.0f;
            const float f = static_cast<float>(static_cast<double>(v) / 255.0);
            const std::uint8_t* b = background.row(by) + bx * backgroundStep;
            std::uint8_t* d = destination.row(r) + c * destinationStep;
            for (int k = 0; k < 3; ++k)
                d[k] = static_cast<std::uint8_t>(static_cast<float>(static_cast<double>(b[k]) * f));
        }
    }
}

void drawShadow(const Bitmap* background, Bitmap& picture, int x, int y, Colour backgroundColour)
{
    const int w = picture.width();
    const int h = picture.height();
    Bitmap plain;
    if (!background) {
        plain = Bitmap(w + ShadowMargin, h + ShadowMargin, 32);
        fillRect(plain, {0, 0, plain.width(), plain.height()}, backgroundColour);
        background = &plain;
    }
    Bitmap result(w + ShadowMargin, h + ShadowMargin, 32);

    const Bitmap rightMask = keptShadowStrip(ShadowMargin, h + ShadowMargin, {0, Offset, Bar, h + Bar});
    Bitmap right = rightMask;
    blendShadow(*background, rightMask, right, x + w, y);
    drawBitmap(result, right, w, 0);

    // The bottom strip goes over the right one where they meet.
    Bitmap bottom = keptShadowStrip(w + ShadowMargin - Bar, ShadowMargin, {Offset, 0, w + Bar, Bar});
    blendShadow(*background, bottom, bottom, x, y + h);
    drawBitmap(result, bottom, 0, h);

    drawBitmap(result, picture, 0, 0);
    picture = std::move(result);
}

} // namespace pictaven
