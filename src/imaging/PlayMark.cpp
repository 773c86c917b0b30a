#include "imaging/PlayMark.h"

#include "imaging/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pictaven {

namespace {

// Samples per pixel side: 4 x 4 points give the edges 17 levels of cover.
constexpr int samples = 4;
constexpr double discOpacity = 0.55;

struct Point {
    double x;
    double y;
};

// Whether p lies left of the edge from a to b (the triangle runs clockwise on screen).
double side(Point a, Point b, Point p)
{
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

std::uint8_t blend(std::uint8_t under, double over, double opacity)
{
    return static_cast<std::uint8_t>(std::lround(under + (over - under) * opacity));
}

} // namespace

void drawPlayMark(Bitmap& picture)
{
    const int shorter = std::min(picture.width(), picture.height());
    if (shorter <= 0)
        return;
    const double diameter = std::min<double>(shorter, std::max(9.0, shorter * 0.45));
    const double radius = diameter / 2;
    const Point centre{picture.width() / 2.0, picture.height() / 2.0};
    // The triangle's middle sits a little right of the disc's, so that it looks centred.
    const double reach = radius * 0.5;
    const Point tip{centre.x + reach * 1.15, centre.y};
    const Point top{centre.x - reach * 0.65, centre.y - reach};
    const Point bottom{centre.x - reach * 0.65, centre.y + reach};

    const int left = std::max(0, static_cast<int>(std::floor(centre.x - radius)));
    const int right = std::min(picture.width(), static_cast<int>(std::ceil(centre.x + radius)));
    const int upper = std::max(0, static_cast<int>(std::floor(centre.y - radius)));
    const int lower = std::min(picture.height(), static_cast<int>(std::ceil(centre.y + radius)));
    for (int y = upper; y < lower; ++y) {
        for (int x = left; x < right; ++x) {
            int inDisc = 0;
            int inTriangle = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Point p{x + (sx + 0.5) / samples, y + (sy + 0.5) / samples};
                    const double dx = p.x - centre.x;
                    const double dy = p.y - centre.y;
                    if (dx * dx + dy * dy > radius * radius)
                        continue;
                    ++inDisc;
                    if (side(top, tip, p) >= 0 && side(tip, bottom, p) >= 0 && side(bottom, top, p) >= 0)
                        ++inTriangle;
                }
            }
            if (inDisc == 0)
                continue;
            constexpr double all = samples * samples;
            Colour colour = picture.pixel(x, y);
            const double dark = discOpacity * (inDisc - inTriangle) / all;
            const double white = inTriangle / all;
            colour = {blend(colour.blue, 0, dark), blend(colour.green, 0, dark), blend(colour.red, 0, dark)};
            colour = {blend(colour.blue, 255, white), blend(colour.green, 255, white), blend(colour.red, 255, white)};
            picture.setPixel(x, y, colour);
        }
    }
}

} // namespace pictaven
