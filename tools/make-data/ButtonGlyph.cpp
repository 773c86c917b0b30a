#include "ButtonGlyph.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace pictaven::makedata {

namespace {

// Maps the unit box (-0.5 to 0.5 each way) onto the glyph's place; `mirror` flips it left
// to right, so that one drawing serves both directions.
struct Frame {
    float cx;
    float cy;
    float size;
    bool mirror;

    Point at(float x, float y) const { return {cx + (mirror ? -x : x) * size, cy + y * size}; }
    Shape box(float x0, float y0, float x1, float y1) const
    {
        const Point a = at(x0, y0);
        const Point b = at(x1, y1);
        return rectangle(std::min(a.x, b.x), a.y, std::max(a.x, b.x), b.y);
    }
    Shape polygon(std::initializer_list<Point> unitCorners) const
    {
        std::vector<Point> corners;
        for (const Point& p : unitCorners)
            corners.push_back(at(p.x, p.y));
        return convexPolygon(std::move(corners));
    }
};

Shape arrow(const Frame& f)
{
    return f.polygon({{-0.30f, -0.44f}, {0.44f, 0.0f}, {-0.30f, 0.44f}});
}

Shape arrowToBar(const Frame& f)
{
    return unite(f.polygon({{-0.40f, -0.42f}, {0.22f, 0.0f}, {-0.40f, 0.42f}}), f.box(0.26f, -0.42f, 0.42f, 0.42f));
}

Shape house(const Frame& f)
{
    const Shape roof = f.polygon({{-0.52f, 0.02f}, {0.0f, -0.46f}, {0.52f, 0.02f}});
    const Shape body = f.box(-0.34f, -0.06f, 0.34f, 0.44f);
    const Shape door = f.box(-0.09f, 0.14f, 0.09f, 0.46f);
    return unite(roof, subtract(body, door));
}

// Small thumbnails in rows: three by three when there is room for them, else two by two.
Shape grid(const Frame& f)
{
    const int cells = f.size >= 12 ? 3 : 2;
    const float gap = cells == 3 ? 0.12f : 0.16f;
    const float side = (0.88f - gap * static_cast<float>(cells - 1)) / static_cast<float>(cells);
    Shape shape = f.box(-0.44f, -0.44f, -0.44f + side, -0.44f + side);
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            const float x = -0.44f + static_cast<float>(column) * (side + gap);
            const float y = -0.44f + static_cast<float>(row) * (side + gap);
            shape = unite(shape, f.box(x, y, x + side, y + side));
        }
    }
    return shape;
}

Shape speaker(const Frame& f)
{
    // Drawn a little wider than high: the waves need room to read at button size.
    const Shape box = f.box(-0.62f, -0.17f, -0.36f, 0.17f);
    const Shape cone = f.polygon({{-0.36f, -0.17f}, {-0.06f, -0.48f}, {-0.06f, 0.48f}, {-0.36f, 0.17f}});
    const Point centre = f.at(-0.06f, 0.0f);
    // Sound waves: two arcs, each a ring cut to a wedge that opens to the right.
    const Shape wedge = f.polygon({{-0.06f, 0.0f}, {0.9f, -0.75f}, {0.9f, 0.75f}});
    const Shape inner = intersect(ring(centre.x, centre.y, 0.30f * f.size, 0.13f * f.size), wedge);
    const Shape outer = intersect(ring(centre.x, centre.y, 0.56f * f.size, 0.13f * f.size), wedge);
    return unite(unite(box, cone), unite(inner, outer));
}

} // namespace

Shape glyphShape(Glyph glyph, float cx, float cy, float size)
{
    switch (glyph) {
    case Glyph::Next:
        return arrow({cx, cy, size, false});
    case Glyph::Prev:
        return arrow({cx, cy, size, true});
    case Glyph::Last:
        return arrowToBar({cx, cy, size, false});
    case Glyph::First:
        return arrowToBar({cx, cy, size, true});
    case Glyph::Home:
        return house({cx, cy, size, false});
    case Glyph::Index:
        return grid({cx, cy, size, false});
    case Glyph::Speaker:
        return speaker({cx, cy, size, false});
    }
    return arrow({cx, cy, size, false});
}

} // namespace pictaven::makedata
