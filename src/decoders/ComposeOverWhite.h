#pragma once

#include <cstdint>

namespace pictaven
{

// One row of 8-bit RGBA pixels into 24-bit blue, green, red: transparency is shown against white.
inline void composeOverWhite(const std::uint8_t* rgba, std::uint8_t* bgr, int width)
{
    for (int x = 0; x < width; ++x, rgba += 4, bgr += 3) {
        const unsigned alpha = rgba[3];
        for (int c = 0; c < 3; ++c)
            bgr[2 - c] = static_cast<std::uint8_t>((rgba[c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
}

} // namespace pictaven
