#include "imaging/PreviewFit.h"

#include <algorithm>

namespace pictaven {

PreviewFit fitPreview(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const double across = 130.0 / width;
    const double down = 100.0 / height;
    PreviewFit fit;
    fit.scale = std::min(static_cast<float>(across > down ? down : across), 1.0f);
    // The products use the float's exact value in double precision: a scale of 0.65 is held as
    // 0.64999998 and 200 x 0.64999998 must truncate to 129, which a float product would round to 130.
    const auto scaled = [&](int side) { return static_cast<int>(side * static_cast<double>(fit.scale)); };
    fit.controlWidth = std::max(scaled(width) - 2, 0);
    fit.controlHeight = std::max(scaled(height) - 2, 0);
    return fit;
}

} // namespace pictaven
