#include "imaging/StretchAndResample.h"

#include "imaging/ResampleContributions.h"
#include "imaging/ResampleKernels.h"

#include <stdexcept>

namespace pictaven {

bool resamplePathAvailable(ResamplePath path)
{
    switch (path) {
    case ResamplePath::Scalar:
        return true;
    case ResamplePath::Avx2:
#if PICTAVEN_AVX2_KERNELS
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#else
        return false;
#endif
    }
    return false;
}

ResamplePath fastestResamplePath()
{
    static const ResamplePath fastest =
        resamplePathAvailable(ResamplePath::Avx2) ? ResamplePath::Avx2 : ResamplePath::Scalar;
    return fastest;
}

void stretchAndResample(const Bitmap& source, Bitmap& destination, FilterFunction filter, float support,
                        ResamplePath path)
{
    if (source.width() < 1 || source.height() < 1)
        throw std::runtime_error("Source bitmap too small");
    if (!resamplePathAvailable(path))
        throw std::invalid_argument("This processor cannot run the chosen resampling path");
    const int width = destination.width();
    const int height = destination.height();
    Bitmap result(width, height, 24);
    if (result.empty()) {
        destination = std::move(result);
        return;
    }
    const Bitmap converted = source.bitsPerPixel() == 24 ? Bitmap() : source.withDepth(24);
    const Bitmap& input = source.bitsPerPixel() == 24 ? source : converted;

    const ResampleContributions columns = makeResampleContributions(width, input.width(), filter, support);
    ResampleWork work(width, input.height());
    const ResampleContributions rows = makeResampleContributions(height, input.height(), filter, support);
#if PICTAVEN_AVX2_KERNELS
    if (path == ResamplePath::Avx2) {
        RowScratch scratch;
        resampleRowsAvx2(input, input.height(), columns, work, 0, scratch);
        resampleColumnsAvx2(work, rows, result);
        destination = std::move(result);
        return;
    }
#endif
    resampleRowsScalar(input, input.height(), columns, work, 0);
    resampleColumnsScalar(work, rows, result);
    destination = std::move(result);
}

} // namespace pictaven
