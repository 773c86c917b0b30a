#pragma once

#include <cstdint>

namespace pictaven::makedata {

// Smooth pseudo-random values from integer hashing: the same seed and point always give the
// same value, on every machine. Lattice points lie at whole coordinates; between them values
// are blended with a smooth step.
class ValueNoise {
public:
    // With a period, the pattern repeats every `periodX` by `periodY` lattice cells (for
    // textures that tile); 0 means no repetition.
    explicit ValueNoise(std::uint32_t seed, int periodX = 0, int periodY = 0);

    // 0 to 1 at lattice point (x, y).
    float lattice(int x, int y) const;
    // 0 to 1, smooth between lattice points.
    float at(float x, float y) const;

private:
    std::uint32_t m_seed;
    int m_periodX;
    int m_periodY;
};

// 0 to 1 from any three integers, for per-pixel grain.
float hashUnit(int x, int y, std::uint32_t seed);

} // namespace pictaven::makedata
