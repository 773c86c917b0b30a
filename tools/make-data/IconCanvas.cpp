#include "IconCanvas.h"

#include <cmath>

namespace pictaven::makedata {

namespace {

int pixels(int units, float scale)
{
    return static_cast<int>(std::lround(static_cast<float>(units) * scale));
}

} // namespace

IconCanvas::IconCanvas(int unitsWide, int unitsHigh, float scale)
    : m_scale(scale)
    , m_canvas(pixels(unitsWide, scale), pixels(unitsHigh, scale))
{
}

Shape IconCanvas::rect(float left, float top, float right, float bottom, float radius) const
{
    const float s = m_scale;
    return roundedRect(left * s, top * s, right * s, bottom * s, radius * s);
}

Shape IconCanvas::circle(float cx, float cy, float radius) const
{
    return makedata::circle(cx * m_scale, cy * m_scale, radius * m_scale);
}

Shape IconCanvas::ellipse(float cx, float cy, float rx, float ry) const
{
    return makedata::ellipse(cx * m_scale, cy * m_scale, rx * m_scale, ry * m_scale);
}

Shape IconCanvas::polygon(const std::vector<Point>& corners) const
{
    std::vector<Point> scaled;
    for (const Point& p : corners)
        scaled.push_back({p.x * m_scale, p.y * m_scale});
    return convexPolygon(std::move(scaled));
}

Shape IconCanvas::line(float x0, float y0, float x1, float y1, float width) const
{
    const float s = m_scale;
    return segment(x0 * s, y0 * s, x1 * s, y1 * s, width * s);
}

Shape IconCanvas::ring(float cx, float cy, float radius, float width) const
{
    return makedata::ring(cx * m_scale, cy * m_scale, radius * m_scale, width * m_scale);
}

Shape IconCanvas::turnedRect(float cx, float cy, float width, float height, float slope) const
{
    const float c = 1.0f / std::sqrt(1.0f + slope * slope);
    const float s = slope * c;
    constexpr Point Corners[] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
    std::vector<Point> corners;
    for (const Point& corner : Corners) {
        const float dx = corner.x * width;
        const float dy = corner.y * height;
        corners.push_back({cx + dx * c - dy * s, cy + dx * s + dy * c});
    }
    return polygon(corners);
}

Shape IconCanvas::grow(const Shape& shape, float units) const
{
    return makedata::grow(shape, units * m_scale);
}

Paint IconCanvas::vertical(float top, float bottom, Rgba topColour, Rgba bottomColour) const
{
    return verticalGradient(top * m_scale, bottom * m_scale, topColour, bottomColour);
}

void IconCanvas::fill(const Shape& shape, Rgba colour, float opacity)
{
    m_canvas.fill(shape, solid(colour), opacity);
}

void IconCanvas::fill(const Shape& shape, const Paint& paint, float opacity)
{
    m_canvas.fill(shape, paint, opacity);
}

void IconCanvas::outlined(const Shape& shape, Rgba colour, Rgba ink, float rim)
{
    m_canvas.fill(shape, solid(ink));
    m_canvas.fill(grow(shape, -rim), solid(colour));
}

void IconCanvas::glow(const Shape& shape, Rgba colour, float softness)
{
    m_canvas.fillSoft(grow(shape, softness / 2), solid(colour), softness * m_scale);
}

} // namespace pictaven::makedata
