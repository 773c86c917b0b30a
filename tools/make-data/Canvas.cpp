#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace pictaven::makedata {

Rgba Rgba::mix(const Rgba& other, float t) const
{
    return {red + (other.red - red) * t, green + (other.green - green) * t, blue + (other.blue - blue) * t,
            alpha + (other.alpha - alpha) * t};
}

Paint solid(Rgba colour)
{
    return [colour](float, float) { return colour; };
}

Paint verticalGradient(float top, float bottom, Rgba topColour, Rgba bottomColour)
{
    return [=](float, float y) { return topColour.mix(bottomColour, std::clamp((y - top) / (bottom - top), 0.0f, 1.0f)); };
}

Paint radialGradient(float cx, float cy, float radius, Rgba inner, Rgba outer)
{
    return [=](float x, float y) {
        const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
        return inner.mix(outer, std::min(d / radius, 1.0f));
    };
}

std::uint8_t toByte(float value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

Canvas::Canvas(int width, int height)
    : m_width(width)
    , m_height(height)
{
    Bitmap::checkSize(width, height);
    m_pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

void Canvas::blend(int x, int y, const Rgba& colour, float coverage)
{
    const float a = colour.alpha * coverage;
    Premultiplied& p = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
    const float keep = 1.0f - a;
    p.red = colour.red * a + p.red * keep;
    p.green = colour.green * a + p.green * keep;
    p.blue = colour.blue * a + p.blue * keep;
    p.alpha = a + p.alpha * keep;
}

template <typename CoverageOf>
void Canvas::fillWith(const Shape& shape, const Paint& paint, float margin, CoverageOf coverageOf)
{
    const int left = std::max(0, static_cast<int>(std::floor(shape.left - margin)));
    const int top = std::max(0, static_cast<int>(std::floor(shape.top - margin)));
    const int right = std::min(m_width, static_cast<int>(std::ceil(shape.right + margin)) + 1);
    const int bottom = std::min(m_height, static_cast<int>(std::ceil(shape.bottom + margin)) + 1);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float coverage = coverageOf(shape.distance(px, py));
            if (coverage > 0.0f)
                blend(x, y, paint(px, py), coverage);
        }
    }
}

void Canvas::fill(const Shape& shape, const Paint& paint, float opacity)
{
    fillWith(shape, paint, 1.0f, [opacity](float d) { return std::clamp(0.5f - d, 0.0f, 1.0f) * opacity; });
}

void Canvas::fillSoft(const Shape& shape, const Paint& paint, float softness, float opacity)
{
    fillWith(shape, paint, softness, [softness, opacity](float d) {
        const float t = std::clamp(0.5f - d / softness, 0.0f, 1.0f);
        return t * t * (3.0f - 2.0f * t) * opacity;
    });
}

void Canvas::paintWhere(const std::function<float(float, float)>& amount, const Paint& paint)
{
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float coverage = std::clamp(amount(px, py), 0.0f, 1.0f);
            if (coverage > 0.0f)
                blend(x, y, paint(px, py), coverage);
        }
    }
}

Rgba Canvas::pixel(int x, int y) const
{
    const Premultiplied& p = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
    if (p.alpha <= 0.0f)
        return {};
    return {p.red / p.alpha, p.green / p.alpha, p.blue / p.alpha, p.alpha};
}

Bitmap Canvas::toBitmap(Colour background) const
{
    const float br = background.red / 255.0f;
    const float bg = background.green / 255.0f;
    const float bb = background.blue / 255.0f;
    Bitmap bitmap(m_width, m_height, 24);
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* out = bitmap.row(y);
        for (int x = 0; x < m_width; ++x, out += 3) {
            const Premultiplied& p = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
            const float keep = 1.0f - p.alpha;
            out[0] = toByte(p.blue + bb * keep);
            out[1] = toByte(p.green + bg * keep);
            out[2] = toByte(p.red + br * keep);
        }
    }
    return bitmap;
}

} // namespace pictaven::makedata
