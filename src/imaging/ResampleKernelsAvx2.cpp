#include "imaging/ResampleKernels.h"

#if PICTAVEN_AVX2_KERNELS

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cstring>

// Every function here is compiled for AVX2 and FMA and is only called after the processor has
// been checked for both.
#define PICTAVEN_AVX2 __attribute__((target("avx2,fma")))

namespace pictaven {

namespace {

// Rows resampled together: one 32-bit float lane each.
constexpr int BlockRows = 8;

// Transposes 8 x 8 bytes (the low 8 bytes of each input). Output m holds the column 2m in its
// low 8 bytes and column 2m + 1 in its high 8 bytes.
PICTAVEN_AVX2 inline void transpose8x8(const __m128i in[8], __m128i out[4])
{
    const __m128i t0 = _mm_unpacklo_epi8(in[0], in[1]);
    const __m128i t1 = _mm_unpacklo_epi8(in[2], in[3]);
    const __m128i t2 = _mm_unpacklo_epi8(in[4], in[5]);
    const __m128i t3 = _mm_unpacklo_epi8(in[6], in[7]);
    const __m128i u0 = _mm_unpacklo_epi16(t0, t1);
    const __m128i u1 = _mm_unpackhi_epi16(t0, t1);
    const __m128i u2 = _mm_unpacklo_epi16(t2, t3);
    const __m128i u3 = _mm_unpackhi_epi16(t2, t3);
    out[0] = _mm_unpacklo_epi32(u0, u2);
    out[1] = _mm_unpackhi_epi32(u0, u2);
    out[2] = _mm_unpacklo_epi32(u1, u3);
    out[3] = _mm_unpackhi_epi32(u1, u3);
}

PICTAVEN_AVX2 inline __m256 bytesToFloats(__m128i eightBytes)
{
    return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(eightBytes));
}

PICTAVEN_AVX2 inline __m256i roundedLanes(__m256 sum)
{
    // Clamping first leaves the round-to-nearest-even conversion to decide the rest.
    const __m256 clamped = _mm256_min_ps(_mm256_max_ps(sum, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
    return _mm256_cvtps_epi32(clamped);
}

// Sums of one output column for 8 rows, one vector per channel.
struct ColumnSums {
    __m256 blue, green, red;
};

PICTAVEN_AVX2 inline void addPair(ColumnSums& sums, const float* pixel, const float* weight)
{
    const __m256 w = _mm256_broadcast_ss(weight);
    sums.blue = _mm256_fmadd_ps(_mm256_loadu_ps(pixel), w, sums.blue);
    sums.green = _mm256_fmadd_ps(_mm256_loadu_ps(pixel + BlockRows), w, sums.green);
    sums.red = _mm256_fmadd_ps(_mm256_loadu_ps(pixel + 2 * BlockRows), w, sums.red);
}

// Packs the 24 bytes of one output column (channel-major, 8 rows each) to out[0..23]; out must
// have room for 32 bytes.
PICTAVEN_AVX2 inline void storeColumn(const ColumnSums& sums, std::uint8_t* out)
{
    const __m256i blueGreen = _mm256_packus_epi32(roundedLanes(sums.blue), roundedLanes(sums.green));
    const __m256i red = roundedLanes(sums.red);
    const __m256i bytes = _mm256_packus_epi16(blueGreen, _mm256_packus_epi32(red, red));
    const __m256i ordered = _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), ordered);
}

// Resamples `Columns` neighbouring output columns of one block of rows. Their lists run side
// by side for the pairs they all have, which gives 3 * Columns independent sums; each column
// then finishes its own list. offsets[k] is the float offset of pair k's pixel in `lanes`.
template <int Columns>
PICTAVEN_AVX2 inline void resampleColumnGroup(const float* lanes, const std::uint32_t* offsets, const float* weight,
                                              const std::uint32_t* first, std::uint8_t* staged)
{
    ColumnSums sums[Columns];
    std::uint32_t from[Columns];
    std::uint32_t common = first[1] - first[0];
#pragma GCC unroll 4
    for (int c = 0; c < Columns; ++c) {
        sums[c] = {_mm256_setzero_ps(), _mm256_setzero_ps(), _mm256_setzero_ps()};
        from[c] = first[c];
        common = std::min(common, first[c + 1] - first[c]);
    }
    // Fully unrolled, so that the sums stay in registers.
    for (std::uint32_t t = 0; t < common; ++t)
#pragma GCC unroll 4
        for (int c = 0; c < Columns; ++c)
            addPair(sums[c], lanes + offsets[from[c] + t], weight + from[c] + t);
#pragma GCC unroll 4
    for (int c = 0; c < Columns; ++c) {
        for (std::uint32_t k = from[c] + common; k < first[c + 1]; ++k)
            addPair(sums[c], lanes + offsets[k], weight + k);
        storeColumn(sums[c], staged + static_cast<std::size_t>(c) * 3 * BlockRows);
    }
}

// Lays out 8 rows channel by channel: lanes[q * 8 + r] = row r's byte q, as a float.
PICTAVEN_AVX2 void loadBlock(const std::uint8_t* const rows[BlockRows], std::size_t rowBytes, float* lanes)
{
    std::size_t q = 0;
    __m128i in[8];
    __m128i out[4];
    for (; q + 8 <= rowBytes; q += 8) {
        for (int r = 0; r < BlockRows; ++r)
            in[r] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows[r] + q));
        transpose8x8(in, out);
        for (int m = 0; m < 4; ++m) {
            _mm256_storeu_ps(lanes + (q + 2 * m) * BlockRows, bytesToFloats(out[m]));
            _mm256_storeu_ps(lanes + (q + 2 * m + 1) * BlockRows, bytesToFloats(_mm_srli_si128(out[m], 8)));
        }
    }
    if (q < rowBytes) {
        // The rows are packed, so the last bytes are read through a padded copy.
        std::uint8_t tail[BlockRows][8] = {};
        for (int r = 0; r < BlockRows; ++r) {
            std::memcpy(tail[r], rows[r] + q, rowBytes - q);
            in[r] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(tail[r]));
        }
        transpose8x8(in, out);
        for (std::size_t k = 0; q + k < rowBytes; ++k) {
            const __m128i column = (k % 2 == 0) ? out[k / 2] : _mm_srli_si128(out[k / 2], 8);
            _mm256_storeu_ps(lanes + (q + k) * BlockRows, bytesToFloats(column));
        }
    }
}

// Writes back channel-major bytes (staged[q * 8 + r]) as 8 rows; rows have room up to a
// multiple of 8 bytes beyond rowBytes.
PICTAVEN_AVX2 void storeBlock(const std::uint8_t* staged, std::size_t rowBytes, std::uint8_t* const rows[BlockRows])
{
    __m128i in[8];
    __m128i out[4];
    for (std::size_t q = 0; q < rowBytes; q += 8) {
        for (int k = 0; k < 8; ++k)
            in[k] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(staged + (q + k) * BlockRows));
        transpose8x8(in, out);
        for (int m = 0; m < 4; ++m) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(rows[2 * m] + q), out[m]);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(rows[2 * m + 1] + q), _mm_srli_si128(out[m], 8));
        }
    }
}

} // namespace

PICTAVEN_AVX2 void resampleRowsAvx2(const Bitmap& source, int rows, const ResampleContributions& columns,
                                    ResampleWork& work, int firstRow, RowScratch& scratch)
{
    const std::size_t inBytes = source.stride();
    const int outputs = columns.outputs();
    const std::size_t outBytes = static_cast<std::size_t>(outputs) * 3;
    const std::size_t roundedOut = (outBytes + 7) / 8 * 8;
    if (scratch.offsets.empty()) {
        scratch.lanes.resize(inBytes * BlockRows);
        // Staged output: channel-major like lanes, with slack for the 32-byte stores and the
        // rounding up to whole 8-byte groups.
        scratch.staged.resize((roundedOut + 8) * BlockRows + 32);
        // Rows past the bottom of the last block read the last row and write here.
        scratch.spare.resize(work.stride());
        // Where each pair's pixel starts in the lanes of a block.
        scratch.offsets.resize(columns.index.size());
        for (std::size_t k = 0; k < scratch.offsets.size(); ++k)
            scratch.offsets[k] = static_cast<std::uint32_t>(columns.index[k]) * 3 * BlockRows;
    }
    float* lanes = scratch.lanes.data();
    std::uint8_t* staged = scratch.staged.data();
    const std::uint32_t* offsets = scratch.offsets.data();
    const float* weight = columns.weight.data();
    const std::uint32_t* first = columns.first.data();
    const std::uint8_t* inRows[BlockRows];
    std::uint8_t* outRows[BlockRows];
    for (int y0 = 0; y0 < rows; y0 += BlockRows) {
        for (int r = 0; r < BlockRows; ++r) {
            const bool inside = y0 + r < rows;
            inRows[r] = source.row(std::min(y0 + r, rows - 1));
            outRows[r] = inside ? work.row(firstRow + y0 + r) : scratch.spare.data();
        }
        loadBlock(inRows, inBytes, lanes);
        int i = 0;
        for (; i + 4 <= outputs; i += 4)
            resampleColumnGroup<4>(lanes, offsets, weight, first + i,
                                   staged + static_cast<std::size_t>(i) * 3 * BlockRows);
        for (; i < outputs; ++i)
            resampleColumnGroup<1>(lanes, offsets, weight, first + i,
                                   staged + static_cast<std::size_t>(i) * 3 * BlockRows);
        storeBlock(staged, outBytes, outRows);
    }
}

PICTAVEN_AVX2 void resampleColumnsAvx2(const ResampleWork& work, const ResampleContributions& rows,
                                       Bitmap& destination)
{
    // 64 channel values at a time, one sum per byte position in 8 vectors.
    constexpr std::size_t Chunk = 64;
    const std::size_t rowBytes = destination.stride();
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    alignas(32) std::array<std::uint8_t, Chunk> tail;
    for (int y = 0; y < rows.outputs(); ++y) {
        std::uint8_t* out = destination.row(y);
        const std::uint32_t from = rows.first[y], to = rows.first[y + 1];
        for (std::size_t q = 0; q < rowBytes; q += Chunk) {
            __m256 sums[8];
            for (__m256& sum : sums)
                sum = _mm256_setzero_ps();
            for (std::uint32_t k = from; k < to; ++k) {
                const std::uint8_t* in = work.row(rows.index[k]) + q;
                const __m256 w = _mm256_broadcast_ss(&rows.weight[k]);
                for (int m = 0; m < 8; ++m) {
                    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + 8 * m));
                    sums[m] = _mm256_fmadd_ps(bytesToFloats(bytes), w, sums[m]);
                }
            }
            __m256i packed[2];
            for (int h = 0; h < 2; ++h) {
                const __m256i low = _mm256_packus_epi32(roundedLanes(sums[4 * h]), roundedLanes(sums[4 * h + 1]));
                const __m256i high =
                    _mm256_packus_epi32(roundedLanes(sums[4 * h + 2]), roundedLanes(sums[4 * h + 3]));
                packed[h] = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(low, high), order);
            }
            std::uint8_t* target = q + Chunk <= rowBytes ? out + q : tail.data();
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), packed[0]);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + 32), packed[1]);
            if (target == tail.data())
                std::memcpy(out + q, tail.data(), rowBytes - q);
        }
    }
}

} // namespace pictaven

#endif
