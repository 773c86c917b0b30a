#include "imaging/Buttonize.h"

#include <algorithm>
#include <cstdint>

namespace pictaven {

namespace {

class Bevel {
public:
    Bevel(Bitmap& bitmap, int weight) : m_bitmap(bitmap), m_weight(weight) {}

    void lighten(int x, int y)
    {
        if (std::uint8_t* pixel = at(x, y))
            for (int c = 0; c < 3; ++c)
                pixel[c] = clamped(pixel[c] + ((255 - pixel[c]) * m_weight) / 255);
    }
    void darken(int x, int y)
    {
        if (std::uint8_t* pixel = at(x, y))
            for (int c = 0; c < 3; ++c)
                pixel[c] = clamped(pixel[c] - (pixel[c] * m_weight) / 255);
    }

private:
    std::uint8_t* at(int x, int y)
    {
        if (x < 0 || y < 0 || x >= m_bitmap.width() || y >= m_bitmap.height())
            return nullptr;
        return m_bitmap.row(y) + 3 * x;
    }
    static std::uint8_t clamped(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

    Bitmap& m_bitmap;
    int m_weight;
};

} // namespace

void buttonize(Bitmap& bitmap, int depth, int weight)
{
    if (bitmap.bitsPerPixel() != 24)
        bitmap = bitmap.withDepth(24);
    if (depth <= 0)
        return;
    depth = std::min(depth, 255);
    // Products of a byte and the weight must not overflow an int.
    weight = std::clamp(weight, -8'000'000, 8'000'000);
    Bevel bevel(bitmap, weight);
    const int w = bitmap.width();
    const int h = bitmap.height();
    // The order is part of the look: corner pixels are changed twice.
    for (int y = 0; y <= depth; ++y) {
        const int top = y;
        const int bottom = h - 1 - y;
        for (int x = y; x <= w - 1 - y; ++x) {
            bevel.lighten(x, top);
            bevel.darken(x, bottom);
        }
        for (int x = 0; x <= y; ++x) {
            bevel.lighten(x, top);
            bevel.darken(w - 1 - x, top);
            bevel.lighten(x, bottom);
            bevel.darken(w - 1 - x, bottom);
        }
    }
    for (int y = depth + 1; y <= h - 2 - depth; ++y)
        for (int x = 0; x <= depth; ++x) {
            bevel.lighten(x, y);
            bevel.darken(w - 1 - x, y);
        }
}

} // namespace pictaven
