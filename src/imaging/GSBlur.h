#pragma once

#include "imaging/Bitmap.h"

#include <array>

namespace pictaven {

// The gaussian kernel of gsBlur: weights for offsets -MaxSize..MaxSize, of which only
// -size..size are in use (the rest are left from before trimming).
struct Kernel {
    static constexpr int MaxSize = 40;
    int size = 0;
    std::array<float, 2 * MaxSize + 1> weights{};

    float weight(int offset) const { return weights[static_cast<std::size_t>(offset + MaxSize)]; }
};

// The normalised kernel for `radius` pixels, its tails trimmed while they add up to less than
// half a byte step (1 / 510).
Kernel makeKernel(double radius);

// Separable gaussian blur in place, rows then columns, edge pixels repeated; each output byte is
// the double sum truncated and clamped to 0..255.
// Throws std::runtime_error("Not a 24-bit bitmap") for a 32-bit bitmap.
void gsBlur(Bitmap& bitmap, double radius);

} // namespace pictaven
