#include "imaging/ResampleKernels.h"

#include <algorithm>
#include <cmath>

namespace pictaven {

void resampleRowsScalar(const Bitmap& source, const ResampleContributions& columns, ResampleWork& work)
{
    const int outputs = columns.outputs();
    for (int y = 0; y < work.height(); ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = work.row(y);
        for (int i = 0; i < outputs; ++i) {
            float blue = 0.0f, green = 0.0f, red = 0.0f;
            for (std::uint32_t k = columns.first[i]; k < columns.first[i + 1]; ++k) {
                const std::uint8_t* pixel = in + 3 * static_cast<std::size_t>(columns.index[k]);
                const float weight = columns.weight[k];
                blue = std::fma(static_cast<float>(pixel[0]), weight, blue);
                green = std::fma(static_cast<float>(pixel[1]), weight, green);
                red = std::fma(static_cast<float>(pixel[2]), weight, red);
            }
            out[3 * i] = resampledByte(blue);
            out[3 * i + 1] = resampledByte(green);
            out[3 * i + 2] = resampledByte(red);
        }
    }
}

void resampleColumnsScalar(const ResampleWork& work, const ResampleContributions& rows, Bitmap& destination)
{
    // Whole rows at a time keep the reads sequential; each channel still has its own sum.
    const std::size_t lanes = destination.stride();
    std::vector<float> sums(lanes);
    for (int y = 0; y < rows.outputs(); ++y) {
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (std::uint32_t k = rows.first[y]; k < rows.first[y + 1]; ++k) {
            const std::uint8_t* in = work.row(rows.index[k]);
            const float weight = rows.weight[k];
            for (std::size_t q = 0; q < lanes; ++q)
                sums[q] = std::fma(static_cast<float>(in[q]), weight, sums[q]);
        }
        std::transform(sums.begin(), sums.end(), destination.row(y), resampledByte);
    }
}

} // namespace pictaven
