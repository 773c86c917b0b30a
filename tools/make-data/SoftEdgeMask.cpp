#include "SoftEdgeMask.h"

#include "Canvas.h"

#include <algorithm>

namespace pictaven::makedata {

namespace {

// 0 at the edge, 1 from `band` inwards, with a smooth step between.
float ramp(float distanceFromEdge, float band)
{
    const float t = std::clamp(distanceFromEdge / band, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

Bitmap drawSoftEdgeMask(int width, int height)
{
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    Bitmap mask(width, height, 24);
    for (int y = 0; y < height; ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        const float vertical = ramp(std::min(py, h - py), h * 0.125f);
        for (int x = 0; x < width; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const std::uint8_t grey = toByte(ramp(std::min(px, w - px), w * 0.125f) * vertical);
            mask.setPixel(x, y, {grey, grey, grey});
        }
    }
    return mask;
}

} // namespace pictaven::makedata
