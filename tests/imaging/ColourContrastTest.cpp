#include "imaging/ColourContrast.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

TEST(ColourContrast, RatiosOfKnownPairs)
{
    struct Case {
        Colour first, second;
        double ratio;
    };
    const Case cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},
        {{255, 255, 255}, {0, 0, 0}, 21.0},
        {{40, 90, 200}, {40, 90, 200}, 1.0},
        {{0x77, 0x77, 0x77}, {255, 255, 255}, 4.48},
        {{0, 0, 255}, {255, 255, 255}, 4.0}, // pure red: blue 0, green 0, red 255
        {{255, 0, 0}, {255, 255, 255}, 8.59}, // pure blue
    };
    for (const Case& c : cases)
        EXPECT_NEAR(contrastRatio(c.first, c.second), c.ratio, 0.01);
}

TEST(ColourContrast, TheBackdropKeepsAnyTextReadable)
{
    for (int blue = 0; blue < 256; blue += 15)
        for (int green = 0; green < 256; green += 15)
            for (int red = 0; red < 256; red += 15) {
                const Colour text{std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red)};
                EXPECT_GE(contrastRatio(text, readableBackdrop(text)), 4.5) << red << " " << green << " " << blue;
            }
    EXPECT_EQ(readableBackdrop(Colour{255, 255, 255}), (Colour{0, 0, 0}));
    EXPECT_EQ(readableBackdrop(Colour{0, 0, 0}), (Colour{255, 255, 255}));
}

} // namespace
} // namespace pictaven
