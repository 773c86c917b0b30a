#include "imaging/TurnPixels.h"

#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace pictaven {

std::vector<std::uint8_t> turnPixels(const std::vector<std::uint8_t>& pixels, int width, int height,
                                     int bytesPerElement, int rotation)
{
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const auto n = static_cast<std::size_t>(bytesPerElement);
    if (width < 0 || height < 0 || bytesPerElement < 1 || pixels.size() != w * h * n)
        throw std::invalid_argument("Raster size does not match its dimensions");
    if (rotation < 1 || rotation > 3)
        throw std::invalid_argument("Unknown rotation " + std::to_string(rotation));
    std::vector<std::uint8_t> turned(pixels.size());
    const bool quarter = rotation != 3;
    const std::size_t outWidth = quarter ? h : w;
    for (std::size_t y = 0; y < h; ++y)
        for (std::size_t x = 0; x < w; ++x) {
            // Where source pixel (x, y) lands: the inverse of the turns' pixel rules.
            std::size_t ox = 0;
            std::size_t oy = 0;
            if (rotation == 1) {
                ox = y;
                oy = w - 1 - x;
            } else if (rotation == 2) {
                ox = h - 1 - y;
                oy = x;
            } else {
                ox = w - 1 - x;
                oy = h - 1 - y;
            }
            std::memcpy(turned.data() + (oy * outWidth + ox) * n, pixels.data() + (y * w + x) * n, n);
        }
    return turned;
}

} // namespace pictaven
