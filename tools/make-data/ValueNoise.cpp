#include "ValueNoise.h"

#include <cmath>

namespace pictaven::makedata {

namespace {

std::uint32_t mix(std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

int wrap(int value, int period)
{
    if (period <= 0)
        return value;
    const int r = value % period;
    return r < 0 ? r + period : r;
}

float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

float hashUnit(int x, int y, std::uint32_t seed)
{
    const std::uint32_t h = mix(static_cast<std::uint32_t>(x) * 0x9e3779b1U ^ mix(static_cast<std::uint32_t>(y) + seed * 0x85ebca6bU));
    return static_cast<float>(h >> 8) / 16777215.0f;
}

ValueNoise::ValueNoise(std::uint32_t seed, int periodX, int periodY)
    : m_seed(seed)
    , m_periodX(periodX)
    , m_periodY(periodY)
{
}

float ValueNoise::lattice(int x, int y) const
{
    return hashUnit(wrap(x, m_periodX), wrap(y, m_periodY), m_seed);
}

float ValueNoise::at(float x, float y) const
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = smooth(x - fx);
    const float ty = smooth(y - fy);
    const float top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * tx;
    const float bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

} // namespace pictaven::makedata
