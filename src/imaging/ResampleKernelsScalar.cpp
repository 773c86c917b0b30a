#include "imaging/ResampleKernels.h"

#include <algorithm>
#include <cmath>

namespace pictaven {

void resampleRowsScalar(const Bitmap& source, int rows, const ResampleContributions& columns,
                        ResampleWork& work, int firstRow)
{
    // Four rows share each column's pairs, which saves look-ups and gives twelve independent
    // sums; rows past the bottom repeat the last one and are not written.
    constexpr int Rows = 4;
    const int outputs = columns.outputs();
    const int height = rows;
    for (int y0 = 0; y0 < height; y0 += Rows) {
        const std::uint8_t* in[Rows];
        for (int r = 0; r < Rows; ++r)
            in[r] = source.row(std::min(y0 + r, height - 1));
        for (int i = 0; i < outputs; ++i) {
            float sums[Rows][3] = {};
            for (std::uint32_t k = columns.first[i]; k < columns.first[i + 1]; ++k) {
                const std::size_t offset = 3 * static_cast<std::size_t>(columns.index[k]);
                const float weight = columns.weight[k];
                for (int r = 0; r < Rows; ++r)
                    for (int c = 0; c < 3; ++c)
                        sums[r][c] = addProduct(sums[r][c], in[r][offset + c], weight);
            }
            for (int r = 0; r < Rows && y0 + r < height; ++r)
                for (int c = 0; c < 3; ++c)
                    work.row(firstRow + y0 + r)[3 * i + c] = resampledByte(sums[r][c]);
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
                sums[q] = addProduct(sums[q], in[q], weight);
        }
        std::transform(sums.begin(), sums.end(), destination.row(y), resampledByte);
    }
}

} // namespace pictaven
