#include "Canvas.h"
#include "PictureTemplate.h"
#include "ValueNoise.h"

#include <algorithm>
#include <array>

namespace pictaven::makedata {

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr float FrameWidth = 22;
// The card around each thumbnail: room for the pin and the label above, a margin elsewhere.
constexpr float CardSide = 10;
constexpr float CardPin = 16;
constexpr float CardBottom = 12;

TemplateLayout layout()
{
    TemplateLayout l;
    l.width = Width;
    l.height = Height;
    l.left = 48;
    l.right = 48;
    l.top = 67;
    l.bottom = 51;
    l.spacingCols = 52;
    l.spacingRows = 58;
    l.columns = 4;
    l.rows = 3;
    l.labelHeight = 15;
    return l;
}

// Cork: coarse granules of lighter and darker brown.
void paintCork(Canvas& canvas)
{
    const ValueNoise granules(31);
    const ValueNoise patches(32);
    const Rgba base = Rgba::rgb(198, 148, 96);
    const Rgba dark = Rgba::rgb(132, 88, 50);
    const Rgba light = Rgba::rgb(228, 190, 142);
    canvas.fill(rectangle(0, 0, Width, Height), [&](float x, float y) {
        const float g = granules.at(x / 1.7f, y / 1.7f);
        const float p = patches.at(x / 40.0f, y / 40.0f);
        Rgba c = g < 0.5f ? base.mix(dark, (0.5f - g) * 1.4f) : base.mix(light, (g - 0.5f) * 1.1f);
        c = c.mix(dark, 0.18f * p);
        return c;
    });
}

// The wooden frame, its four boards mitred at the corners, grain running along each board.
void paintFrame(Canvas& canvas)
{
    const ValueNoise grain(33);
    const ValueNoise knots(34);
    const Rgba wood = Rgba::rgb(150, 98, 56);
    const Rgba dark = Rgba::rgb(92, 56, 28);
    const Shape inner = rectangle(FrameWidth, FrameWidth, Width - FrameWidth, Height - FrameWidth);
    // The cork lies a little below the frame: a soft shadow along the inner edge.
    canvas.fillSoft(subtract(rectangle(0, 0, Width, Height), grow(inner, -2)), solid(Rgba::rgb(40, 20, 6, 0.6f)), 10);
    const Shape frame = subtract(rectangle(0, 0, Width, Height), inner);
    canvas.fill(frame, [&](float x, float y) {
        const float toSide = std::min(x, Width - x);
        const float toEnd = std::min(y, Height - y);
        const bool horizontalBoard = toEnd < toSide;
        const float along = horizontalBoard ? x : y;
        const float across = horizontalBoard ? toEnd : toSide;
        const float board = horizontalBoard ? (y < Height / 2.0f ? 0.0f : 1.0f) : (x < Width / 2.0f ? 2.0f : 3.0f);
        const float g = grain.at(along / 90.0f + board * 17.0f, across / 1.3f + board * 5.0f);
        const float k = knots.at(along / 25.0f + board * 11.0f, across / 6.0f);
        Rgba c = wood.mix(dark, 0.45f * g + 0.25f * k * k);
        // A rounded profile: light on the outer half, shaded toward the cork.
        const float profile = across / FrameWidth;
        c = c.mix(Rgba::rgb(255, 230, 190), 0.22f * (1.0f - profile) * (1.0f - profile));
        c = c.mix(Rgba::rgb(30, 16, 6), 0.35f * profile * profile);
        return c;
    });
    // Mitre joints and the edges of the frame.
    const Rgba line = Rgba::rgb(60, 34, 14, 0.7f);
    canvas.fill(segment(0, 0, FrameWidth, FrameWidth, 1), solid(line));
    canvas.fill(segment(Width, 0, Width - FrameWidth, FrameWidth, 1), solid(line));
    canvas.fill(segment(0, Height, FrameWidth, Height - FrameWidth, 1), solid(line));
    canvas.fill(segment(Width, Height, Width - FrameWidth, Height - FrameWidth, 1), solid(line));
    canvas.fill(subtract(grow(inner, 1), inner), solid(Rgba::rgb(50, 28, 10)));
}

void paintCard(Canvas& canvas, float x, float y, float thumbWidth, float thumbHeight, float labelHeight, int index)
{
    const float left = x - CardSide;
    const float top = y - labelHeight - CardPin;
    const float right = x + thumbWidth + CardSide;
    const float bottom = y + thumbHeight + CardBottom;
    const Shape card = rectangle(left, top, right, bottom);
    canvas.fillSoft(translate(card, 2, 4), solid(Rgba::rgb(30, 14, 0, 0.55f)), 9);
    canvas.fill(card, solid(Rgba::rgb(214, 210, 200)));
    // The card's face is flat: the label box, painted in the same colour, melts into it.
    canvas.fill(grow(card, -1), solid(Rgba::rgb(251, 250, 246)));

    // A push pin at the top, in one of four colours.
    static constexpr std::array<std::array<int, 3>, 4> PinColours{
        {{{204, 40, 36}}, {{36, 96, 200}}, {{40, 150, 72}}, {{232, 180, 28}}}};
    // Stepping by three through the four colours keeps neighbours apart in rows and columns.
    const auto& c = PinColours[static_cast<std::size_t>(index * 3 + index / 4) % PinColours.size()];
    const Rgba pin = Rgba::rgb(c[0], c[1], c[2]);
    const float px = (left + right) / 2;
    const float py = top + 7;
    canvas.fillSoft(circle(px + 3, py + 2, 5), solid(Rgba::rgb(0, 0, 0, 0.45f)), 3);
    canvas.fill(circle(px, py, 5.5f), solid(pin.mix(Rgba::rgb(0, 0, 0), 0.35f)));
    canvas.fill(circle(px, py, 4.6f), radialGradient(px - 1.6f, py - 1.8f, 6.0f, pin.mix(Rgba::rgb(255, 255, 255), 0.55f), pin));
    canvas.fill(circle(px - 1.6f, py - 1.8f, 1.3f), solid(Rgba::rgb(255, 255, 255, 0.85f)));
}

} // namespace

PictureTemplate drawCorkboardTemplate()
{
    const TemplateLayout l = layout();
    const TemplateGrid grid = gridOf(l);
    Canvas canvas(Width, Height);
    paintCork(canvas);
    paintFrame(canvas);
    int index = 0;
    for (const int y : grid.rowY) {
        for (const int x : grid.columnX)
            paintCard(canvas, static_cast<float>(x), static_cast<float>(y), static_cast<float>(grid.thumbWidth),
                      static_cast<float>(grid.thumbHeight), static_cast<float>(l.labelHeight), index++);
    }

    AlbumSettings settings = layoutSettings(l);
    settings.Shadow = false;
    settings.ThumbBorderColor = settingsColour(176, 172, 164);
    settings.LabelBgColor = settingsColour(251, 250, 246);
    settings.LabelTextColor = settingsColour(70, 52, 36);
    settings.WebBgColor = settingsColour(74, 52, 34);
    settings.AlbumTitleColor = settingsColour(246, 236, 220);
    settings.LinkColor = settingsColour(246, 236, 220);
    return {"Corkboard", canvas.toBitmap({0, 0, 0}), std::move(settings)};
}

} // namespace pictaven::makedata
