#include "imaging/ResampleFilters.h"

#include <cmath>
#include <numbers>

namespace pictaven {

// The polynomials are evaluated in double and rounded once, on return.

float boxFilter(float x)
{
    return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f;
}

float triangleFilter(float x)
{
    const double a = std::fabs(static_cast<double>(x));
    return a < 1.0 ? static_cast<float>(1.0 - a) : 0.0f;
}

float hermiteFilter(float x)
{
    const double a = std::fabs(static_cast<double>(x));
    return a < 1.0 ? static_cast<float>((2.0 * a - 3.0) * (a * a) + 1.0) : 0.0f;
}

float bellFilter(float x)
{
    const double a = std::fabs(static_cast<double>(x));
    if (a < 0.5)
        return static_cast<float>(0.75 - a * a);
    if (a < 1.5) {
        const double t = a - 1.5;
        return static_cast<float>(0.5 * (t * t));
    }
    return 0.0f;
}

float splineFilter(float x)
{
    const double a = std::fabs(static_cast<double>(x));
    const double aa = a * a;
    if (a < 1.0)
        return static_cast<float>(0.5 * aa * a - aa + 2.0 / 3.0);
    if (a < 2.0) {
        const double t = 2.0 - a;
        return static_cast<float>(t * t * t / 6.0);
    }
    return 0.0f;
}

namespace {

float sinc(float v)
{
    if (v == 0.0f)
        return 1.0f;
    const float t = static_cast<float>(std::numbers::pi * static_cast<double>(v));
    return static_cast<float>(std::sin(static_cast<double>(t)) / static_cast<double>(t));
}

} // namespace

float lanczos3Filter(float x)
{
    x = std::fabs(x);
    if (x >= 3.0f)
        return 0.0f;
    const float third = static_cast<float>(static_cast<double>(x) / 3.0);
    return sinc(x) * sinc(third);
}

float mitchellFilter(float x)
{
    const double a = std::fabs(static_cast<double>(x));
    const double aa = a * a;
    if (a < 1.0)
        return static_cast<float>((7.0 * (a * aa) - 12.0 * aa + 16.0 / 3.0) / 6.0);
    if (a < 2.0)
        return static_cast<float>((-(7.0 / 3.0) * (a * aa) + 12.0 * aa - 20.0 * a + 32.0 / 3.0) / 6.0);
    return 0.0f;
}

const std::array<ResampleFilter, 7> resampleFilters = {{
    {"Box", boxFilter, 0.5f},
    {"Triangle", triangleFilter, 1.0f},
    {"Hermite", hermiteFilter, 1.0f},
    {"Bell", bellFilter, 1.5f},
    {"B-Spline", splineFilter, 2.0f},
    {"Lanczos3", lanczos3Filter, 3.0f},
    {"Mitchell", mitchellFilter, 2.0f},
}};

} // namespace pictaven
