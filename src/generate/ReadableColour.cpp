#include "generate/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace pictaven {

namespace {

double channel(std::int32_t colour, int shift)
{
    const double value = ((colour >> shift) & 0xff) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

constexpr std::int32_t black = 0;
constexpr std::int32_t white = 0xffffff;

} // namespace

double ReadableColour::luminance(std::int32_t colour)
{
    return 0.2126 * channel(colour, 0) + 0.7152 * channel(colour, 8) + 0.0722 * channel(colour, 16);
}

double ReadableColour::contrast(std::int32_t first, std::int32_t second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::int32_t ReadableColour::on(std::int32_t background, std::int32_t colour, double minimum)
{
    if (contrast(background, colour) >= minimum)
        return colour & white;
    return contrast(background, black) >= contrast(background, white) ? black : white;
}

} // namespace pictaven
