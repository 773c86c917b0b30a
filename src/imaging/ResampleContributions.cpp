#include "imaging/ResampleContributions.h"

#include "imaging/RecentResults.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace pictaven {

float resampleScale(int destinationSize, int sourceSize)
{
    if (sourceSize == 1 || destinationSize == 1)
        return static_cast<float>(static_cast<double>(destinationSize) / sourceSize);
    return static_cast<float>(static_cast<double>(destinationSize - 1) / (sourceSize - 1));
}

namespace {

std::int32_t mirrored(std::int64_t j, int sourceSize)
{
    if (j < 0)
        j = -j;
    else if (j >= sourceSize)
        j = 2 * std::int64_t{sourceSize} - 1 - j;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(j, 0, sourceSize - 1));
}

ResampleContributions computeContributions(int destinationSize, int sourceSize, FilterFunction filter, float support)
{
    const float scale = resampleScale(destinationSize, sourceSize);
    ResampleContributions result;
    result.first.reserve(static_cast<std::size_t>(destinationSize) + 1);
    result.first.push_back(0);
    const auto add = [&](std::int64_t j, float weight) {
        if (weight == 0.0f)
            return;
        result.index.push_back(mirrored(j, sourceSize));
        result.weight.push_back(weight);
    };
    for (int i = 0; i < destinationSize; ++i) {
        // With one destination pixel the corner rule has no meaning; that pixel stands for the
        // whole source and sits over its middle.
        const float center =
            destinationSize == 1 ? static_cast<float>((sourceSize - 1) / 2.0) : static_cast<float>(i) / scale;
        const double c = center;
        if (scale < 1.0f) {
            const float width = support / scale;
            const float fscale = 1.0f / scale;
            const auto lo = static_cast<std::int64_t>(std::floor(c - width));
            const auto hi = static_cast<std::int64_t>(std::ceil(c + width));
            for (std::int64_t j = lo; j <= hi; ++j) {
                const auto x = static_cast<float>((c - static_cast<double>(j)) / fscale);
                add(j, filter(x) / fscale);
            }
        } else {
            const auto lo = static_cast<std::int64_t>(std::floor(c - support));
            const auto hi = static_cast<std::int64_t>(std::ceil(c + support));
            for (std::int64_t j = lo; j <= hi; ++j)
                add(j, filter(static_cast<float>(c - static_cast<double>(j))));
        }
        result.first.push_back(static_cast<std::uint32_t>(result.index.size()));
    }
    return result;
}

} // namespace

ResampleContributions makeResampleContributions(int destinationSize, int sourceSize, FilterFunction filter,
                                                float support)
{
    // The photos of one camera share their size, and so do their thumbnails: the lists of the
    // last few sizes are kept, by each thread for itself, rather than weighed again. A photo and
    // its thumbnail take four lists, twice that for an album of upright and lying photos, and
    // more for photos of a few cameras.
    thread_local RecentResults<std::tuple<int, int, FilterFunction, float>, ResampleContributions, 16> kept;
    return kept.get({destinationSize, sourceSize, filter, support},
                    [&] { return computeContributions(destinationSize, sourceSize, filter, support); });
}

} // namespace pictaven
