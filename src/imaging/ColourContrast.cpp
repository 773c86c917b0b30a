#include "imaging/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace pictaven {

namespace {

double linear(std::uint8_t channel)
{
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(Colour colour)
{
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

} // namespace

double contrastRatio(Colour first, Colour second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Colour readableBackdrop(Colour text)
{
    const Colour black{0, 0, 0};
    const Colour white{255, 255, 255};
    return contrastRatio(text, black) >= contrastRatio(text, white) ? black : white;
}

} // namespace pictaven
