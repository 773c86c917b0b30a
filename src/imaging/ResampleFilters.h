#pragma once

#include <array>

namespace pictaven {

// A reconstruction filter: even in x and 0 at and beyond its support radius.
using FilterFunction = float (*)(float x);

struct ResampleFilter {
    const char* name;
    FilterFunction function;
    float support;
};

float boxFilter(float x);
float triangleFilter(float x);
float hermiteFilter(float x);
float bellFilter(float x);
float splineFilter(float x);
// sinc(|x|) * sinc(|x| / 3), every factor rounded to a 32-bit float as it is formed.
float lanczos3Filter(float x);
float mitchellFilter(float x);

// Box, Triangle, Hermite, Bell, B-Spline, Lanczos3, Mitchell, in this order.
extern const std::array<ResampleFilter, 7> resampleFilters;

} // namespace pictaven
