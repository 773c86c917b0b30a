#pragma once

#include <cstdint>

namespace pictaven {

// One opaque colour as the bitmap stores it.
struct Colour {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;

    // From the settings form B * 65536 + G * 256 + R (red in the low byte); higher bits are ignored.
    static constexpr Colour fromSettings(std::uint32_t value)
    {
        return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
    }
    constexpr std::uint32_t toSettings() const
    {
        return static_cast<std::uint32_t>(blue) << 16 | static_cast<std::uint32_t>(green) << 8 | red;
    }
    bool operator==(const Colour&) const = default;
};

} // namespace pictaven
