#include "Canvas.h"
#include "PictureTemplate.h"
#include "ValueNoise.h"
#include "imaging/BitmapDrawing.h"

#include <algorithm>

namespace pictaven::makedata {

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
// The two pages; the grid below lies inside them, shadows of the thumbnails included.
constexpr Rect LeftPage{30, 26, 396, 574};
constexpr Rect RightPage{404, 26, 770, 574};

TemplateLayout layout()
{
    TemplateLayout l;
    l.width = Width;
    l.height = Height;
    // The right offset is the larger one: each thumbnail's shadow reaches 16 pixels further
    // right, and the gap between the middle columns must clear the gutter.
    l.left = 50;
    l.right = 66;
    l.top = 56;
    l.bottom = 54;
    l.spacingCols = 48;
    l.spacingRows = 56;
    l.columns = 4;
    l.rows = 3;
    l.labelHeight = 15;
    return l;
}

Shape rectShape(const Rect& r)
{
    return rectangle(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                     static_cast<float>(r.bottom));
}

// Burgundy leather: a fine pebble grain over a slow mottle, darker toward the edges.
void paintLeather(Canvas& canvas)
{
    const ValueNoise pebbles(11);
    const ValueNoise mottle(12);
    const Rgba base = Rgba::rgb(104, 34, 40);
    canvas.fill(rectangle(0, 0, Width, Height), [&](float x, float y) {
        const float grain = pebbles.at(x / 2.2f, y / 2.2f);
        const float slow = mottle.at(x / 70.0f, y / 70.0f);
        const float dx = (x - Width / 2.0f) / (Width / 2.0f);
        const float dy = (y - Height / 2.0f) / (Height / 2.0f);
        const float light = (0.80f + 0.16f * grain + 0.12f * slow + 0.05f * hashUnit(static_cast<int>(x), static_cast<int>(y), 13))
            * (1.0f - 0.30f * (dx * dx + dy * dy) / 2.0f);
        return Rgba{base.red * light, base.green * light, base.blue * light, 1.0f};
    });
}

// A seam of short stitches along the cover's edge.
void paintStitches(Canvas& canvas)
{
    constexpr float Inset = 12.5f;
    constexpr float Dash = 7.0f;
    constexpr float Pitch = 12.0f;
    const Rgba thread = Rgba::rgb(214, 184, 122);
    auto along = [&](float x0, float y0, float x1, float y1) {
        const float length = std::max(x1 - x0, y1 - y0);
        for (float t = 0; t + Dash <= length; t += Pitch) {
            const float ax = x0 + (x1 > x0 ? t : 0);
            const float ay = y0 + (y1 > y0 ? t : 0);
            const float bx = x0 + (x1 > x0 ? t + Dash : 0);
            const float by = y0 + (y1 > y0 ? t + Dash : 0);
            canvas.fill(translate(segment(ax, ay, bx, by, 1.6f), 0.8f, 0.8f), solid(Rgba::rgb(0, 0, 0, 0.45f)));
            canvas.fill(segment(ax, ay, bx, by, 1.6f), solid(thread));
        }
    };
    along(Inset, Inset, Width - Inset, Inset);
    along(Inset, Height - Inset, Width - Inset, Height - Inset);
    along(Inset, Inset, Inset, Height - Inset);
    along(Width - Inset, Inset, Width - Inset, Height - Inset);
}

// Brass corner guards.
void paintCorners(Canvas& canvas)
{
    constexpr float Size = 46.0f;
    const Rgba rim = Rgba::rgb(120, 84, 30);
    for (int corner = 0; corner < 4; ++corner) {
        const bool right = corner % 2 == 1;
        const bool bottom = corner >= 2;
        const float cx = right ? Width : 0.0f;
        const float cy = bottom ? Height : 0.0f;
        const float sx = right ? -1.0f : 1.0f;
        const float sy = bottom ? -1.0f : 1.0f;
        const Shape outer = convexPolygon({{cx, cy}, {cx + sx * Size, cy}, {cx, cy + sy * Size}});
        const Shape inner = convexPolygon({{cx, cy}, {cx + sx * (Size - 3), cy}, {cx, cy + sy * (Size - 3)}});
        canvas.fillSoft(translate(outer, 2, 3), solid(Rgba::rgb(0, 0, 0, 0.5f)), 6);
        canvas.fill(outer, solid(rim));
        const float top = bottom ? Height - Size : 0.0f;
        canvas.fill(inner, verticalGradient(top, top + Size, Rgba::rgb(246, 214, 140), Rgba::rgb(170, 122, 48)));
        // A bright edge along the diagonal catches the light.
        canvas.fill(segment(cx + sx * (Size - 4), cy + sy * 1.5f, cx + sx * 1.5f, cy + sy * (Size - 4), 1.2f),
                    solid(Rgba::rgb(255, 240, 200, 0.8f)));
    }
}

// The leaves under each page show as thin edges on the outer sides and at the bottom.
void paintPageStacks(Canvas& canvas)
{
    const Shape pages = unite(rectShape(LeftPage), rectShape(RightPage));
    canvas.fillSoft(translate(grow(pages, 4), 3, 5), solid(Rgba::rgb(0, 0, 0, 0.55f)), 14);
    const Rgba edge = Rgba::rgb(190, 184, 172);
    const Rgba paper = Rgba::rgb(238, 234, 226);
    for (int leaf = 3; leaf >= 1; --leaf) {
        const float d = static_cast<float>(leaf) * 2.0f;
        const Shape left = translate(rectShape(LeftPage), -d, d * 0.5f);
        const Shape right = translate(rectShape(RightPage), d, d * 0.5f);
        for (const Shape& sheet : {left, right}) {
            canvas.fill(sheet, solid(edge));
            canvas.fill(grow(sheet, -1), solid(paper));
        }
    }
    // The fold between the pages sinks into the binding.
    canvas.fill(rectangle(LeftPage.right, LeftPage.top, RightPage.left, LeftPage.bottom),
                solid(Rgba::rgb(40, 12, 16)));
}

} // namespace

PictureTemplate drawAlbumTemplate()
{
    Canvas canvas(Width, Height);
    paintLeather(canvas);
    paintStitches(canvas);
    paintPageStacks(canvas);
    paintCorners(canvas);
    Bitmap picture = canvas.toBitmap({0, 0, 0});
    // The pages are pure white with sharp edges, so that the background colour fills them whole.
    fillRect(picture, LeftPage, {255, 255, 255});
    fillRect(picture, RightPage, {255, 255, 255});

    AlbumSettings settings = layoutSettings(layout());
    settings.BgColor = settingsColour(252, 249, 240);
    settings.LabelBgColor = settingsColour(104, 34, 40);
    settings.LabelTextColor = settingsColour(250, 242, 226);
    settings.ThumbBorderColor = settingsColour(70, 60, 56);
    settings.WebBgColor = settingsColour(52, 36, 34);
    settings.AlbumTitleColor = settingsColour(240, 226, 200);
    settings.LinkColor = settingsColour(240, 226, 200);
    return {"Album", std::move(picture), std::move(settings)};
}

} // namespace pictaven::makedata
