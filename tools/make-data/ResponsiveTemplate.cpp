#include "Canvas.h"
#include "PictureTemplate.h"

#include <array>

namespace pictaven::makedata {

namespace {

constexpr int Width = 800;
constexpr int Height = 600;

// The thumbnails of the picture: a few landscapes drawn as sky, hills and sun.
struct Scene {
    Rgba sky;
    Rgba ground;
    Rgba sun;
};

constexpr std::array<Scene, 5> scenes{{
    {Rgba::rgb(126, 178, 221), Rgba::rgb(74, 124, 89), Rgba::rgb(255, 226, 140)},
    {Rgba::rgb(244, 170, 120), Rgba::rgb(120, 72, 88), Rgba::rgb(255, 240, 200)},
    {Rgba::rgb(40, 52, 96), Rgba::rgb(28, 34, 58), Rgba::rgb(236, 236, 220)},
    {Rgba::rgb(170, 210, 214), Rgba::rgb(214, 190, 140), Rgba::rgb(255, 250, 230)},
    {Rgba::rgb(200, 160, 220), Rgba::rgb(90, 110, 150), Rgba::rgb(255, 210, 180)},
}};

void paintScene(Canvas& canvas, float left, float top, float right, float bottom, const Scene& scene)
{
    const float radius = 4.0f;
    const Shape tile = roundedRect(left, top, right, bottom, radius);
    const float height = bottom - top;
    canvas.fill(tile, verticalGradient(top, bottom, scene.sky, scene.sky.mix(Rgba::rgb(255, 255, 255), 0.35f)));
    const float cx = left + (right - left) * 0.7f;
    canvas.fill(intersect(tile, circle(cx, top + height * 0.35f, height * 0.12f)), solid(scene.sun));
    canvas.fill(intersect(tile, ellipse(left + (right - left) * 0.3f, bottom, (right - left) * 0.6f, height * 0.45f)),
                solid(scene.ground));
    canvas.fill(intersect(tile, ellipse(right, bottom + height * 0.05f, (right - left) * 0.5f, height * 0.35f)),
                solid(scene.ground.mix(Rgba::rgb(0, 0, 0), 0.2f)));
}

// Rows of thumbnails of different shapes, each row filling the width at one height.
void paintRows(Canvas& canvas, float left, float top, float right, const std::vector<std::vector<float>>& rows,
               float rowHeight, float gap)
{
    std::size_t next = 0;
    float y = top;
    for (const std::vector<float>& aspects : rows) {
        float total = 0;
        for (const float aspect : aspects)
            total += aspect;
        const float height = (right - left - gap * static_cast<float>(aspects.size() - 1)) / total;
        const float shown = height < rowHeight * 1.6f ? height : rowHeight;
        float x = left;
        for (const float aspect : aspects) {
            paintScene(canvas, x, y, x + aspect * shown, y + shown, scenes[next++ % scenes.size()]);
            x += aspect * shown + gap;
        }
        y += shown + gap;
    }
}

void paintWindow(Canvas& canvas, float left, float top, float right, float bottom, const Rgba& page)
{
    canvas.fillSoft(translate(roundedRect(left, top, right, bottom, 10), 0, 10), solid(Rgba::rgb(0, 0, 0, 0.22f)), 24);
    canvas.fill(roundedRect(left, top, right, bottom, 10), solid(page));
    canvas.fill(intersect(roundedRect(left, top, right, bottom, 10), rectangle(left, top, right, top + 26)),
                solid(Rgba::rgb(226, 224, 220)));
    for (int dot = 0; dot < 3; ++dot)
        canvas.fill(circle(left + 16 + static_cast<float>(dot) * 16, top + 13, 4.5f), solid(Rgba::rgb(190, 186, 180)));
}

} // namespace

PictureTemplate drawResponsiveTemplate()
{
    Canvas canvas(Width, Height);
    const Rgba page = Rgba::rgb(247, 246, 243);
    const Rgba ink = Rgba::rgb(28, 27, 26);
    canvas.fill(rectangle(0, 0, Width, Height),
                verticalGradient(0, Height, Rgba::rgb(222, 228, 236), Rgba::rgb(200, 208, 220)));

    // A wide window with its title and four rows of thumbnails.
    paintWindow(canvas, 40, 50, 640, 540, page);
    canvas.fill(roundedRect(64, 96, 300, 118, 4), solid(ink));
    paintRows(canvas, 64, 140, 616, {{1.5f, 0.75f, 1.33f, 1.78f}, {1.0f, 1.5f, 1.5f, 0.67f}, {1.78f, 1.33f, 1.33f}},
              120, 8);

    // A phone beside it: the same album in rows of two.
    const float pl = 560, pt = 170, pr = 760, pb = 570;
    canvas.fillSoft(translate(roundedRect(pl, pt, pr, pb, 26), 0, 10), solid(Rgba::rgb(0, 0, 0, 0.3f)), 20);
    canvas.fill(roundedRect(pl, pt, pr, pb, 26), solid(Rgba::rgb(30, 30, 34)));
    canvas.fill(roundedRect(pl + 8, pt + 8, pr - 8, pb - 8, 19), solid(page));
    canvas.fill(roundedRect(pl + 22, pt + 34, pl + 120, pt + 46, 3), solid(ink));
    paintRows(canvas, pl + 20, pt + 60, pr - 20, {{1.5f, 0.75f}, {1.33f, 1.0f}, {0.75f, 1.5f}, {1.78f}}, 60, 5);

    // The grid keys only matter to the classic settings; the album's own pages lay out rows.
    TemplateLayout layout;
    layout.width = Width;
    layout.height = Height;
    layout.left = layout.right = layout.bottom = 40;
    layout.top = 60;
    layout.spacingCols = layout.spacingRows = 12;
    layout.columns = 4;
    layout.rows = 3;
    AlbumSettings settings = layoutSettings(layout);
    settings.Shadow = false;
    settings.Border = false;
    settings.WebBgColor = settingsColour(247, 246, 243);
    settings.AlbumTitleColor = settingsColour(28, 27, 26);
    settings.LinkColor = settingsColour(11, 87, 208);
    settings.TitleFontSize = 24;
    return {"Responsive", canvas.toBitmap({243, 246, 247}), std::move(settings)};
}

} // namespace pictaven::makedata
