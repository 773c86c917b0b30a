#pragma once

#include "Shape.h"
#include "imaging/Bitmap.h"
#include "imaging/Colour.h"

#include <functional>
#include <vector>

namespace pictaven::makedata {

// A colour with coverage, each part 0 to 1, not premultiplied.
struct Rgba {
    float red = 0;
    float green = 0;
    float blue = 0;
    float alpha = 0;

    // From 8-bit parts.
    static constexpr Rgba rgb(int red, int green, int blue, float alpha = 1.0f)
    {
        return {static_cast<float>(red) / 255.0f, static_cast<float>(green) / 255.0f,
                static_cast<float>(blue) / 255.0f, alpha};
    }
    Rgba withAlpha(float newAlpha) const { return {red, green, blue, newAlpha}; }
    // Linear mix: t = 0 gives this colour, t = 1 gives `other`.
    Rgba mix(const Rgba& other, float t) const;
};

// The colour a shape is filled with at a point of the canvas (pixel centres lie at .5).
using Paint = std::function<Rgba(float x, float y)>;

Paint solid(Rgba colour);
// From `topColour` at row `top` to `bottomColour` at row `bottom`, constant beyond them.
Paint verticalGradient(float top, float bottom, Rgba topColour, Rgba bottomColour);
// From `inner` at the centre to `outer` at `radius` and beyond.
Paint radialGradient(float cx, float cy, float radius, Rgba inner, Rgba outer);

// A picture being drawn: premultiplied colour per pixel, composed with "source over".
// Anti-aliasing comes from the shapes' signed distances, so every result depends only on
// additions, multiplications, divisions and square roots: the same bytes on every run.
class Canvas {
public:
    // A transparent canvas; throws std::length_error for sizes beyond the Bitmap limits.
    Canvas(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Covers the shape with the paint; pixels cut by the outline get their share.
    void fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    // As fill, with the edge blurred over `softness` pixels (shadows and glows).
    void fillSoft(const Shape& shape, const Paint& paint, float softness, float opacity = 1.0f);
    // Blends `paint` over every pixel, scaled by `amount(x, y)` (0 to 1).
    void paintWhere(const std::function<float(float, float)>& amount, const Paint& paint);

    // The pixel with its colour divided back out of the coverage.
    Rgba pixel(int x, int y) const;

    // The canvas over an opaque background, as a 24-bit bitmap.
    Bitmap toBitmap(Colour background) const;

private:
    struct Premultiplied {
        float red = 0;
        float green = 0;
        float blue = 0;
        float alpha = 0;
    };
    void blend(int x, int y, const Rgba& colour, float coverage);
    template <typename CoverageOf>
    void fillWith(const Shape& shape, const Paint& paint, float margin, CoverageOf coverageOf);

    int m_width;
    int m_height;
    std::vector<Premultiplied> m_pixels;
};

// A float colour part 0 to 1 as a byte, rounded to the nearest.
std::uint8_t toByte(float value);

} // namespace pictaven::makedata
