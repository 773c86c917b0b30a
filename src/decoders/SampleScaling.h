#pragma once

#include <cstdint>

namespace pictaven {

// A sample of `bits` bits (1 to 32) widened or narrowed to 8 bits: narrower samples repeat
// their bit pattern (5-bit 10010 becomes 10010100), as ImageMagick and most readers do; wider
// ones keep their top 8 bits.
inline std::uint8_t widenBits(std::uint32_t value, unsigned bits)
{
    if (bits >= 8)
        return static_cast<std::uint8_t>(value >> (bits - 8));
    std::uint32_t result = 0;
    unsigned filled = 0;
    while (filled < 8) {
        result = result << bits | value;
        filled += bits;
    }
    return static_cast<std::uint8_t>(result >> (filled - 8));
}

} // namespace pictaven
