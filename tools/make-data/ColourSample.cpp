#include "ColourSample.h"

#include "imaging/BitmapDrawing.h"

namespace pictaven::makedata {

namespace {

constexpr Colour rgb(int red, int green, int blue)
{
    return {static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green), static_cast<std::uint8_t>(red)};
}

} // namespace

Bitmap drawColourSample()
{
    constexpr int Width = 223;
    constexpr int Height = 273;
    const Colour outline = rgb(128, 128, 128);
    const Colour text = rgb(96, 96, 96);
    Bitmap sample(Width, Height);
    fillRect(sample, {0, 0, Width, Height}, rgb(255, 255, 255));

    // The album title above the template and the links below it.
    fillRect(sample, {70, 14, 153, 21}, text);
    for (int left : {60, 97, 134})
        fillRect(sample, {left, 248, left + 30, 252}, text);

    fillRect(sample, {38, 38, 185, 237}, rgb(224, 232, 244));
    frameRect(sample, {38, 38, 185, 237}, outline);

    // The label: two lines parted by a rule.
    fillRect(sample, {64, 81, 158, 101}, rgb(0, 0, 255));
    frameRect(sample, {64, 81, 158, 101}, outline);
    fillRect(sample, {65, 89, 157, 91}, outline);
    fillRect(sample, {88, 84, 134, 87}, rgb(240, 240, 240));
    fillRect(sample, {80, 94, 142, 97}, rgb(240, 240, 240));

    // The thumbnail: its background inside its frame, a small landscape in the middle.
    frameRect(sample, {64, 100, 158, 193}, outline);
    frameRect(sample, {65, 101, 157, 192}, rgb(0, 0, 0));
    fillRect(sample, {66, 102, 156, 191}, rgb(255, 255, 255));
    frameRect(sample, {78, 112, 144, 180}, rgb(64, 64, 64));
    fillRect(sample, {79, 113, 143, 150}, rgb(135, 190, 235));
    fillRect(sample, {120, 120, 130, 130}, rgb(250, 210, 60));
    fillRect(sample, {79, 150, 143, 179}, rgb(70, 140, 60));
    return sample;
}

} // namespace pictaven::makedata
