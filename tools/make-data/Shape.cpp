#include "Shape.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pictaven::makedata {

namespace {

float length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

// Signed distance to the box of half sizes (hx, hy) around the origin.
float boxDistance(float x, float y, float hx, float hy)
{
    const float dx = std::abs(x) - hx;
    const float dy = std::abs(y) - hy;
    const float outside = length(std::max(dx, 0.0f), std::max(dy, 0.0f));
    return outside + std::min(std::max(dx, dy), 0.0f);
}

} // namespace

Shape rectangle(float left, float top, float right, float bottom)
{
    return roundedRect(left, top, right, bottom, 0.0f);
}

Shape roundedRect(float left, float top, float right, float bottom, float radius)
{
    const float cx = (left + right) / 2;
    const float cy = (top + bottom) / 2;
    const float hx = (right - left) / 2 - radius;
    const float hy = (bottom - top) / 2 - radius;
    return {left, top, right, bottom,
            [=](float x, float y) { return boxDistance(x - cx, y - cy, hx, hy) - radius; }};
}

Shape circle(float cx, float cy, float radius)
{
    return {cx - radius, cy - radius, cx + radius, cy + radius,
            [=](float x, float y) { return length(x - cx, y - cy) - radius; }};
}

Shape ellipse(float cx, float cy, float rx, float ry)
{
    const float scale = std::min(rx, ry);
    return {cx - rx, cy - ry, cx + rx, cy + ry, [=](float x, float y) {
                return (length((x - cx) / rx, (y - cy) / ry) - 1.0f) * scale;
            }};
}

Shape convexPolygon(std::vector<Point> corners)
{
    float area = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        area += a.x * b.y - b.x * a.y;
    }
    if (area < 0)
        std::reverse(corners.begin(), corners.end());
    // With the corners turning clockwise on screen (y down), each edge's outward normal is
    // its direction turned a quarter to the left.
    struct Edge {
        Point from;
        float nx;
        float ny;
    };
    std::vector<Edge> edges;
    Shape shape{corners[0].x, corners[0].y, corners[0].x, corners[0].y, nullptr};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        const float len = length(b.x - a.x, b.y - a.y);
        edges.push_back({a, (b.y - a.y) / len, (a.x - b.x) / len});
        shape.left = std::min(shape.left, a.x);
        shape.top = std::min(shape.top, a.y);
        shape.right = std::max(shape.right, a.x);
        shape.bottom = std::max(shape.bottom, a.y);
    }
    shape.distance = [edges = std::move(edges)](float x, float y) {
        float d = -1e9f;
        for (const Edge& e : edges)
            d = std::max(d, (x - e.from.x) * e.nx + (y - e.from.y) * e.ny);
        return d;
    };
    return shape;
}

Shape segment(float x0, float y0, float x1, float y1, float width)
{
    const float half = width / 2;
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float lengthSquared = dx * dx + dy * dy;
    return {std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
            std::max(y0, y1) + half, [=](float x, float y) {
                float t = lengthSquared > 0 ? ((x - x0) * dx + (y - y0) * dy) / lengthSquared : 0.0f;
                t = std::clamp(t, 0.0f, 1.0f);
                return length(x - x0 - t * dx, y - y0 - t * dy) - half;
            }};
}

Shape ring(float cx, float cy, float radius, float width)
{
    const float outer = radius + width / 2;
    return {cx - outer, cy - outer, cx + outer, cy + outer,
            [=](float x, float y) { return std::abs(length(x - cx, y - cy) - radius) - width / 2; }};
}

Shape unite(const Shape& a, const Shape& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom),
            [da = a.distance, db = b.distance](float x, float y) { return std::min(da(x, y), db(x, y)); }};
}

Shape intersect(const Shape& a, const Shape& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom),
            [da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), db(x, y)); }};
}

Shape subtract(const Shape& from, const Shape& cut)
{
    return {from.left, from.top, from.right, from.bottom,
            [da = from.distance, db = cut.distance](float x, float y) { return std::max(da(x, y), -db(x, y)); }};
}

Shape grow(const Shape& shape, float amount)
{
    return {shape.left - amount, shape.top - amount, shape.right + amount, shape.bottom + amount,
            [d = shape.distance, amount](float x, float y) { return d(x, y) - amount; }};
}

Shape translate(const Shape& shape, float dx, float dy)
{
    return {shape.left + dx, shape.top + dy, shape.right + dx, shape.bottom + dy,
            [d = shape.distance, dx, dy](float x, float y) { return d(x - dx, y - dy); }};
}

} // namespace pictaven::makedata
