#pragma once

#include "Canvas.h"

#include <vector>

namespace pictaven::makedata {

// A canvas for the window pictures, drawn in units of a design grid: one unit is `scale`
// pixels, so the double-size version is drawn from the same coordinates at twice the detail.
// Edges on whole units stay crisp at every scale.
class IconCanvas {
public:
    // Throws std::length_error for sizes beyond the Bitmap limits.
    IconCanvas(int unitsWide, int unitsHigh, float scale);

    float scale() const { return m_scale; }

    Shape rect(float left, float top, float right, float bottom, float radius = 0) const;
    Shape circle(float cx, float cy, float radius) const;
    Shape ellipse(float cx, float cy, float rx, float ry) const;
    Shape polygon(const std::vector<Point>& corners) const;
    // A line with round ends.
    Shape line(float x0, float y0, float x1, float y1, float width) const;
    Shape ring(float cx, float cy, float radius, float width) const;
    // A rectangle of `width` by `height` around (cx, cy), turned so that its top edge falls
    // `slope` units for each unit to the right (negative: rises). A slope rather than an angle
    // keeps the bytes free of sine and cosine, whose last bits differ between libraries.
    Shape turnedRect(float cx, float cy, float width, float height, float slope) const;
    // Grows a shape by `units` (shrinks it for a negative amount).
    Shape grow(const Shape& shape, float units) const;

    // Top to bottom between the rows `top` and `bottom`.
    Paint vertical(float top, float bottom, Rgba topColour, Rgba bottomColour) const;

    void fill(const Shape& shape, Rgba colour, float opacity = 1.0f);
    void fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    // The shape filled with `colour` inside a rim of `rim` units in the ink colour.
    void outlined(const Shape& shape, Rgba colour, Rgba ink, float rim);
    // A soft glow or shadow reaching `softness` units beyond the shape.
    void glow(const Shape& shape, Rgba colour, float softness);

    const Canvas& canvas() const { return m_canvas; }
    Bitmap toBitmap(Colour background) const { return m_canvas.toBitmap(background); }

private:
    float m_scale;
    Canvas m_canvas;
};

} // namespace pictaven::makedata
