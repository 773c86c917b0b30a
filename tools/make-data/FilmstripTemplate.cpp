#include "Canvas.h"
#include "PictureTemplate.h"
#include "ValueNoise.h"
#include "imaging/BitmapDrawing.h"

namespace pictaven::makedata {

namespace {

constexpr int Width = 800;
constexpr int Height = 480;
constexpr int Band = 26; // film above and below the frames, where the perforations run
constexpr int StripLeft = 16;
constexpr int StripRight = Width - 16;

TemplateLayout layout()
{
    TemplateLayout l;
    l.width = Width;
    l.height = Height;
    l.left = 30;
    l.right = 30;
    l.top = 50;
    l.bottom = 50;
    l.spacingCols = 14;
    // Two bands and the light table between the strips. The gap is wider than the top
    // margin, which puts the middle row of the picture (where the background colour is
    // poured in) on the light table.
    l.spacingRows = 2 * Band + 60;
    l.columns = 4;
    l.rows = 2;
    return l;
}

void paintStrip(Canvas& canvas, const TemplateGrid& grid, int rowY)
{
    const float top = static_cast<float>(rowY - Band);
    const float bottom = static_cast<float>(rowY + grid.thumbHeight + Band);
    const ValueNoise grain(21);
    canvas.fill(rectangle(StripLeft, top, StripRight, bottom), [&](float x, float y) {
        const float shade = 0.085f + 0.02f * grain.at(x / 3.0f, y / 3.0f) - 0.02f * ((y - top) / (bottom - top));
        return Rgba{shade * 1.08f, shade, shade * 0.92f, 1.0f};
    });
    // Eight perforations a frame above and below, through which the table's light shows.
    const float pitch = static_cast<float>(grid.thumbWidth + Band / 2 + 1) / 8.0f;
    const Rgba light = Rgba::rgb(240, 242, 245);
    for (float x = StripLeft + 7.0f; x + 10.0f <= StripRight - 4.0f; x += pitch) {
        for (const float bandTop : {top, bottom - Band}) {
            const float y = bandTop + (Band - 12) / 2.0f;
            canvas.fill(roundedRect(x, y, x + 10.0f, y + 12.0f, 2.2f), solid(light));
        }
    }
    // Frame marks under each frame: a small arrow and an edge code, in the film's amber print.
    const Rgba print = Rgba::rgb(214, 142, 58);
    for (const int x : grid.columnX) {
        const float y = bottom - 4.5f;
        const float fx = static_cast<float>(x);
        canvas.fill(convexPolygon({{fx + 4, y - 3.5f}, {fx + 10, y}, {fx + 4, y + 3.5f}}), solid(print), 0.9f);
        for (int bar = 0; bar < 6; ++bar) {
            const float bx = fx + static_cast<float>(grid.thumbWidth) - 40.0f + static_cast<float>(bar) * 6.0f
                + ((bar % 3 == 0) ? 1.0f : 0.0f);
            canvas.fill(rectangle(bx, y - 2, bx + ((bar % 2 == 0) ? 3.0f : 2.0f), y + 2), solid(print), 0.9f);
        }
    }
}

} // namespace

PictureTemplate drawFilmstripTemplate()
{
    const TemplateLayout l = layout();
    const TemplateGrid grid = gridOf(l);
    Canvas canvas(Width, Height);
    for (const int y : grid.rowY)
        paintStrip(canvas, grid, y);
    // Transparent parts stay pure white: the light table that the background colour fills.
    Bitmap picture = canvas.toBitmap({255, 255, 255});
    // The frame windows, exactly where the thumbnails' backdrops will go.
    const Colour window{38, 40, 42};
    for (const int y : grid.rowY) {
        for (const int x : grid.columnX)
            fillRect(picture, {x - 1, y - 1, x + grid.thumbWidth, y + grid.thumbHeight}, window);
    }

    AlbumSettings settings = layoutSettings(l);
    settings.BgColor = settingsColour(240, 242, 245);
    settings.Shadow = false;
    settings.Border = false;
    settings.Backdrop = true;
    settings.ThumbBgColor = settingsColour(window.red, window.green, window.blue);
    settings.WebBgColor = settingsColour(36, 38, 42);
    settings.AlbumTitleColor = settingsColour(236, 238, 242);
    settings.LinkColor = settingsColour(236, 238, 242);
    return {"Filmstrip", std::move(picture), std::move(settings)};
}

} // namespace pictaven::makedata
