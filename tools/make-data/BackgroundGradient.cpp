#include "BackgroundGradient.h"

#include <algorithm>
#include <cmath>

namespace pictaven::makedata {

namespace {

constexpr int Width = 16;
// Taller than the windows of common screens: the tile repeats down the window, and where it
// starts again its light head would show as a seam under its deeper foot.
constexpr int Height = 1600;

// An ordered dither spreads the rounding of each row over its neighbours, so that the gentle
// slope shows no bands; four divides the tile's width, so the pattern tiles too.
constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

struct Stop {
    float at; // pixels from the top at scale 1; below the last stop its colour stays
    float red;
    float green;
    float blue;
};

// Lighter at the top, the window's blue (129, 160, 224) a third of the way down, a shade
// deeper at the foot.
constexpr Stop Stops[] = {{0.0f, 164, 189, 238}, {210.0f, 129, 160, 224}, {600.0f, 119, 151, 219}};

float part(float t, float Stop::*channel)
{
    for (std::size_t i = 1; i < std::size(Stops); ++i) {
        const Stop& a = Stops[i - 1];
        const Stop& b = Stops[i];
        if (t <= b.at) {
            const float u = (t - a.at) / (b.at - a.at);
            // Eased, so that the slope flattens where it meets the plain blue.
            const float eased = u * u * (3.0f - 2.0f * u);
            return a.*channel + (b.*channel - a.*channel) * eased;
        }
    }
    return Stops[std::size(Stops) - 1].*channel;
}

std::uint8_t dithered(float value, int x, int y)
{
    const float threshold = (static_cast<float>(Bayer[y % 4][x % 4]) + 0.5f) / 16.0f;
    return static_cast<std::uint8_t>(std::clamp(std::floor(value + threshold), 0.0f, 255.0f));
}

Bitmap drawGradient(float scale)
{
    const int width = static_cast<int>(Width * scale);
    const int height = static_cast<int>(Height * scale);
    Bitmap bitmap(width, height, 24);
    for (int y = 0; y < height; ++y) {
        const float t = (static_cast<float>(y) + 0.5f) / scale;
        const float red = part(t, &Stop::red);
        const float green = part(t, &Stop::green);
        const float blue = part(t, &Stop::blue);
        std::uint8_t* out = bitmap.row(y);
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = dithered(blue, x, y);
            out[1] = dithered(green, x, y);
            out[2] = dithered(red, x, y);
        }
    }
    return bitmap;
}

} // namespace

WindowPicture backgroundGradient()
{
    return {"gradient.res", drawGradient};
}

} // namespace pictaven::makedata
