#include "Canvas.h"
#include "PictureTemplate.h"
#include "ValueNoise.h"
#include "imaging/BitmapDrawing.h"

namespace pictaven::makedata {

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr float Mat = 10;  // mat visible around each thumbnail's cell
constexpr float Frame = 14; // moulding width
constexpr float RailY = 26;

TemplateLayout layout()
{
    TemplateLayout l;
    l.width = Width;
    l.height = Height;
    l.left = 56;
    l.right = 56;
    l.top = 110;
    l.bottom = 112;
    // Two mats, two mouldings and a strip of wall between neighbouring pictures.
    l.spacingCols = 78;
    l.spacingRows = 98;
    l.columns = 3;
    l.rows = 2;
    return l;
}

// Dark green wall with a faint woven texture and a picture rail near the top.
void paintWall(Canvas& canvas)
{
    const ValueNoise cloth(51);
    const Rgba wall = Rgba::rgb(40, 60, 56);
    canvas.fill(rectangle(0, 0, Width, Height), [&](float x, float y) {
        const float n = cloth.at(x / 1.5f, y / 9.0f);
        const float shade = 1.0f - 0.10f * (y / Height);
        const Rgba c = wall.mix(Rgba::rgb(24, 36, 34), 0.35f * n);
        return Rgba{c.red * shade, c.green * shade, c.blue * shade, 1.0f};
    });
    canvas.fillSoft(rectangle(0, RailY + 2, Width, RailY + 9), solid(Rgba::rgb(0, 0, 0, 0.5f)), 5);
    canvas.fill(rectangle(0, RailY, Width, RailY + 7),
                verticalGradient(RailY, RailY + 7, Rgba::rgb(150, 120, 76), Rgba::rgb(74, 54, 30)));
    canvas.fill(rectangle(0, RailY + 1, Width, RailY + 2), solid(Rgba::rgb(214, 186, 132)));
}

// A pool of warm light on the wall above a picture.
void paintSpotlight(Canvas& canvas, float cx, float top)
{
    canvas.fillSoft(ellipse(cx, top + 40, 150, 170), solid(Rgba::rgb(255, 236, 196, 0.16f)), 120);
}

// A gilt moulding around the mat: four mitred faces lit from the top left.
void paintFrame(Canvas& canvas, float left, float top, float right, float bottom)
{
    const float ol = left - Mat - Frame;
    const float ot = top - Mat - Frame;
    const float orr = right + Mat + Frame;
    const float ob = bottom + Mat + Frame;
    const float il = left - Mat;
    const float it = top - Mat;
    const float ir = right + Mat;
    const float ib = bottom + Mat;
    canvas.fillSoft(translate(rectangle(ol, ot, orr, ob), 5, 8), solid(Rgba::rgb(0, 0, 0, 0.65f)), 16);
    const Rgba gold = Rgba::rgb(196, 156, 82);
    const Rgba lit = Rgba::rgb(238, 208, 140);
    const Rgba shade = Rgba::rgb(120, 88, 38);
    const Rgba deep = Rgba::rgb(88, 62, 24);
    canvas.fill(convexPolygon({{ol, ot}, {orr, ot}, {ir, it}, {il, it}}), verticalGradient(ot, it, lit, gold));
    canvas.fill(convexPolygon({{ol, ot}, {il, it}, {il, ib}, {ol, ob}}), solid(gold.mix(lit, 0.35f)));
    canvas.fill(convexPolygon({{orr, ot}, {orr, ob}, {ir, ib}, {ir, it}}), solid(shade));
    canvas.fill(convexPolygon({{ol, ob}, {il, ib}, {ir, ib}, {orr, ob}}), verticalGradient(ib, ob, shade, deep));
    // A bead along the inner edge, then the mat with its bevelled opening.
    canvas.fill(subtract(rectangle(il - 2, it - 2, ir + 2, ib + 2), rectangle(il, it, ir, ib)), solid(deep));
    canvas.fill(rectangle(il, it, ir, ib), solid(Rgba::rgb(240, 235, 224)));
    canvas.fill(subtract(rectangle(left - 2, top - 2, right + 2, bottom + 2), rectangle(left, top, right, bottom)),
                solid(Rgba::rgb(252, 250, 244)));
}

} // namespace

PictureTemplate drawGalleryTemplate()
{
    const TemplateLayout l = layout();
    const TemplateGrid grid = gridOf(l);
    Canvas canvas(Width, Height);
    paintWall(canvas);
    for (const int x : grid.columnX)
        paintSpotlight(canvas, static_cast<float>(x) + grid.thumbWidth / 2.0f, static_cast<float>(grid.rowY.front()));
    for (const int y : grid.rowY) {
        for (const int x : grid.columnX) {
            // The cell as generation frames it: one pixel up and left of the thumbnail's corner.
            paintFrame(canvas, static_cast<float>(x - 1), static_cast<float>(y - 1),
                       static_cast<float>(x + grid.thumbWidth), static_cast<float>(y + grid.thumbHeight));
        }
    }
    Bitmap picture = canvas.toBitmap({0, 0, 0});
    const Colour mat{224, 235, 240};
    for (const int y : grid.rowY) {
        for (const int x : grid.columnX)
            fillRect(picture, {x - 1, y - 1, x + grid.thumbWidth, y + grid.thumbHeight}, mat);
    }

    AlbumSettings settings = layoutSettings(l);
    settings.Shadow = false;
    settings.Backdrop = true;
    settings.ThumbBgColor = settingsColour(mat.red, mat.green, mat.blue);
    settings.ThumbBorderColor = settingsColour(190, 182, 166);
    settings.WebBgColor = settingsColour(30, 42, 40);
    settings.AlbumTitleColor = settingsColour(236, 228, 208);
    settings.LinkColor = settingsColour(236, 228, 208);
    return {"Gallery", std::move(picture), std::move(settings)};
}

} // namespace pictaven::makedata
