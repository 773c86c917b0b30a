#pragma once

// The two passes of stretchAndResample, once as plain loops and once for AVX2 with FMA. Both
// sum every output channel in the order of its contribution list, rounding to single precision
// once per pair as a fused multiply-add does, so they give the same bytes.

#include "imaging/Bitmap.h"
#include "imaging/ResampleContributions.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// The vector path exists on x86 processors only; elsewhere the scalar path runs alone.
#if defined(__x86_64__) || defined(__i386__)
#define PICTAVEN_AVX2_KERNELS 1
#else
#define PICTAVEN_AVX2_KERNELS 0
#endif

namespace pictaven {

// The horizontally resampled picture between the passes: 24-bit rows whose stride is a multiple
// of 64 bytes, so that vector code may read and write whole blocks up to the row's end.
class ResampleWork {
public:
    ResampleWork(int width, int height)
        : m_width(width), m_height(height),
          m_stride((static_cast<std::size_t>(width) * 3 + 63) / 64 * 64),
          m_bytes(m_stride * static_cast<std::size_t>(height))
    {
    }
    int width() const { return m_width; }
    int height() const { return m_height; }
    std::size_t stride() const { return m_stride; }
    std::uint8_t* row(int y) { return m_bytes.data() + y * m_stride; }
    const std::uint8_t* row(int y) const { return m_bytes.data() + y * m_stride; }

private:
    int m_width;
    int m_height;
    std::size_t m_stride;
    std::vector<std::uint8_t> m_bytes;
};

// What the vector row pass sets up for one list of columns and one source width, kept from one
// band of rows to the next.
struct RowScratch {
    std::vector<float> lanes;
    std::vector<std::uint8_t> staged;
    std::vector<std::uint8_t> spare;
    std::vector<std::uint32_t> offsets;
};

// source: 24-bit; its rows 0 .. rows - 1 become the rows of work from firstRow on. columns: one
// list per work column.
void resampleRowsScalar(const Bitmap& source, int rows, const ResampleContributions& columns,
                        ResampleWork& work, int firstRow);
#if PICTAVEN_AVX2_KERNELS
// scratch: empty, or left by an earlier call with the same columns and source width.
void resampleRowsAvx2(const Bitmap& source, int rows, const ResampleContributions& columns,
                      ResampleWork& work, int firstRow, RowScratch& scratch);
#endif

// destination: 24-bit, as wide as work. rows: one list per destination row.
void resampleColumnsScalar(const ResampleWork& work, const ResampleContributions& rows, Bitmap& destination);
#if PICTAVEN_AVX2_KERNELS
void resampleColumnsAvx2(const ResampleWork& work, const ResampleContributions& rows, Bitmap& destination);
#endif

// sum + byte * weight rounded once to single precision, as a fused multiply-add gives it, on any
// processor. The product is exact in double (8 by 24 bits). Rounding the double sum to single
// can only go wrong when that sum lies exactly halfway between two floats although the exact
// sum does not; then the sum's rounding error, recovered exactly (two-sum), tells the side.
inline float addProduct(float sum, std::uint8_t byte, float weight)
{
    const double product = static_cast<double>(byte) * weight;
    double total = sum + product;
    // A float midpoint has exactly the highest of the 29 extra mantissa bits set.
    if ((std::bit_cast<std::uint64_t>(total) & 0x1FFFFFFFu) == 0x10000000u) [[unlikely]] {
        const double back = total - sum;
        const double error = (sum - (total - back)) + (product - back);
        if (error != 0.0)
            total = std::nextafter(total, error > 0.0 ? HUGE_VAL : -HUGE_VAL);
    }
    return static_cast<float>(total);
}

// Rounds a channel sum to a byte: clamped to 0..255, ties to even.
inline std::uint8_t resampledByte(float sum)
{
    if (sum > 255.0f)
        return 255;
    if (sum < 0.0f)
        return 0;
    return static_cast<std::uint8_t>(std::nearbyint(sum));
}

} // namespace pictaven
