#pragma once

#include "imaging/Bitmap.h"
#include "imaging/ResampleFilters.h"

namespace pictaven {

// How the two passes of the resampler run. Both give the same bytes; Avx2 needs a processor
// with AVX2 and FMA.
enum class ResamplePath { Scalar, Avx2 };

bool resamplePathAvailable(ResamplePath path);
// Avx2 when the processor has it, else Scalar.
ResamplePath fastestResamplePath();

// Two-pass filtered resampling of the whole of `source` (24 or 32 bits; not changed) into
// `destination` at the destination's current size; the destination becomes 24-bit. Each pass
// sums, per output channel, byte times weight in single precision (fused, rounded after each
// addition) and rounds to the nearest byte, ties to even.
// Throws std::runtime_error("Source bitmap too small") when source has no pixels, and
// std::invalid_argument when `path` is not available on this processor.
void stretchAndResample(const Bitmap& source, Bitmap& destination, FilterFunction filter, float support,
                        ResamplePath path = fastestResamplePath());

} // namespace pictaven
