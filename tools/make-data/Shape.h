#pragma once

#include <functional>
#include <vector>

namespace pictaven::makedata {

struct Point {
    float x = 0;
    float y = 0;
};

// A filled outline described by its signed distance: negative inside, positive outside, in
// pixels (exact or a close under-estimate near corners). `left`..`bottom` bound the inside.
struct Shape {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    std::function<float(float x, float y)> distance;
};

Shape rectangle(float left, float top, float right, float bottom);
Shape roundedRect(float left, float top, float right, float bottom, float radius);
Shape circle(float cx, float cy, float radius);
// An ellipse; the distance is exact on the axes and close elsewhere.
Shape ellipse(float cx, float cy, float rx, float ry);
// A convex polygon, corners in either turning direction.
Shape convexPolygon(std::vector<Point> corners);
// A line from (x0, y0) to (x1, y1) with round ends, `width` pixels thick.
Shape segment(float x0, float y0, float x1, float y1, float width);
// A circle's outline `width` pixels thick.
Shape ring(float cx, float cy, float radius, float width);

Shape unite(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);
Shape subtract(const Shape& from, const Shape& cut);
// Grows the shape by `amount` pixels (shrinks it for a negative amount).
Shape grow(const Shape& shape, float amount);
Shape translate(const Shape& shape, float dx, float dy);

} // namespace pictaven::makedata
