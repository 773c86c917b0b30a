#include "imaging/Watermark.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/OutlinedText.h"
#include "imaging/TextRenderer.h"

namespace pictaven {
namespace {

constexpr std::uint32_t White = 16777215;
// Distance of a watermark from the top and bottom edges, in pixels.
constexpr int TopMargin = 5;

bool onTheRight(int orientation)
{
    return orientation != 0 && orientation != 1;
}

bool atTheTop(int orientation)
{
    return orientation == 0 || orientation == 2;
}

void drawTextWatermark(Bitmap& photo, const WatermarkOptions& options)
{
    TextRenderer font("Helvetica", options.fontSizePoints);
    int x = WatermarkMargin;
    if (onTheRight(options.orientation)) {
        x = photo.width() - font.textWidth(options.text) - WatermarkMargin;
        if (x < 0)
            x = WatermarkMargin;
    }
    const int y = atTheTop(options.orientation) ? TopMargin : photo.height() - WatermarkMargin;
    drawOutlinedText(photo, font, x, y, options.text, White);
}

void drawPictureWatermark(Bitmap& photo, const Bitmap& picture, int orientation)
{
    const int w = photo.width();
    const int h = photo.height();
    const int pw = picture.width();
    const int ph = picture.height();
    const auto notBelow = [](int value, int fallback) { return value < 0 ? fallback : value; };
    int x = WatermarkMargin;
    int y = TopMargin;
    switch (orientation) {
    case 0:
        break;
    case 1:
        y = notBelow(h - ph - TopMargin, 0);
        break;
    case 2:
        x = notBelow(w - pw - WatermarkMargin, WatermarkMargin);
        break;
    default:
        // The bottom-right picture sits as close to the right edge as to the bottom one.
        x = notBelow(w - pw - TopMargin, WatermarkMargin);
        y = notBelow(h - ph - TopMargin, 0);
        break;
    }
    drawBitmapWhiteTransparent(photo, picture, x, y);
}

} // namespace

void drawWatermark(Bitmap& photo, const WatermarkOptions& options, const Bitmap* picture)
{
    if (options.type == 1)
        drawTextWatermark(photo, options);
    else if (options.type == 2 && picture)
        drawPictureWatermark(photo, *picture, options.orientation);
}

} // namespace pictaven
