#pragma once

#include "imaging/ResampleFilters.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictaven {

// The weighted source pixels of every output column (or row) of one resampling pass. The pairs
// of output i are index[k], weight[k] for k in first[i] .. first[i + 1] - 1, in the order they
// are summed; every index lies inside the source and no weight is 0.
struct ResampleContributions {
    std::vector<std::uint32_t> first;
    std::vector<std::int32_t> index;
    std::vector<float> weight;

    int outputs() const { return static_cast<int>(first.size()) - 1; }
};

// Scale of one axis as a 32-bit float: corner pixels map onto corner pixels, and a source of
// one pixel is scaled by the destination size. A destination of one pixel from a longer source
// takes 1 / sourceSize. Both sizes must be at least 1.
float resampleScale(int destinationSize, int sourceSize);

// Sizes must be at least 1. Mirrors at both edges (index -j before the start, 2 * size - 1 - j
// past the end) and clamps what one reflection cannot bring inside.
ResampleContributions makeResampleContributions(int destinationSize, int sourceSize, FilterFunction filter,
                                                float support);

} // namespace pictaven
