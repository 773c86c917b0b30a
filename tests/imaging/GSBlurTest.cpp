#include "imaging/GSBlur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace pictaven;

TEST(GSBlur, RadiusFourTrimsToElevenAndSumsToOne)
{
    const Kernel kernel = makeKernel(4.0);
    EXPECT_EQ(kernel.size, 11);
    double sum = 0.0;
    for (int j = -kernel.size; j <= kernel.size; ++j) {
        EXPECT_EQ(kernel.weight(j), kernel.weight(-j));
        sum += kernel.weight(j);
    }
    EXPECT_NEAR(sum, 1.0, 1e-6);
    for (int j = 0; j < kernel.size; ++j)
        EXPECT_GT(kernel.weight(j), kernel.weight(j + 1));
    double gaussSum = 0.0;
    for (int j = -11; j <= 11; ++j)
        gaussSum += std::exp(-(j / 4.0001) * (j / 4.0001) / 2.0);
    EXPECT_NEAR(kernel.weight(0), 1.0 / gaussSum, 1e-6);
    EXPECT_NEAR(kernel.weight(11), std::exp(-(11 / 4.0001) * (11 / 4.0001) / 2.0) / gaussSum, 1e-6);
}

TEST(GSBlur, SmallRadiusKeepsAtLeastOneNeighbour)
{
    EXPECT_EQ(makeKernel(0.0).size, 1);
    EXPECT_GT(makeKernel(20.0).size, 11);
    EXPECT_LE(makeKernel(100.0).size, Kernel::MaxSize);
}

TEST(GSBlur, UniformAreaKeepsItsValueAtRadiusFour)
{
    for (int level : {0, 1, 80, 128, 254, 255}) {
        Bitmap bitmap(96, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 96; ++x)
                bitmap.setPixel(x, y, {static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level),
                                       static_cast<std::uint8_t>(level)});
        Bitmap blurred = bitmap;
        gsBlur(blurred, 4.0);
        EXPECT_EQ(blurred, bitmap) << level;
    }
}

TEST(GSBlur, PointSpreadsAsTheTruncatedProductOfTheWeights)
{
    Bitmap bitmap(41, 41);
    bitmap.setPixel(20, 20, {255, 100, 0});
    gsBlur(bitmap, 4.0);
    const Kernel kernel = makeKernel(4.0);
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x) {
            const int dx = x - 20, dy = y - 20;
            int blue = 0, green = 0;
            if (std::abs(dx) <= kernel.size && std::abs(dy) <= kernel.size) {
                // Rows first, truncated, then columns over the truncated bytes.
                const int rowBlue = static_cast<int>(kernel.weight(dx) * 255.0);
                const int rowGreen = static_cast<int>(kernel.weight(dx) * 100.0);
                blue = static_cast<int>(kernel.weight(dy) * static_cast<double>(rowBlue));
                green = static_cast<int>(kernel.weight(dy) * static_cast<double>(rowGreen));
            }
            ASSERT_EQ(bitmap.pixel(x, y), (Colour{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green), 0}))
                << x << "," << y;
        }
}

TEST(GSBlur, EdgePixelsRepeat)
{
    // A white left half: at the edge nothing from outside darkens it.
    Bitmap bitmap(30, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 15; ++x)
            bitmap.setPixel(x, y, {255, 255, 255});
    gsBlur(bitmap, 4.0);
    EXPECT_EQ(bitmap.pixel(0, 0), (Colour{255, 255, 255}));
    EXPECT_EQ(bitmap.pixel(29, 2), (Colour{0, 0, 0}));
    EXPECT_LT(bitmap.pixel(14, 1).red, 255);
    EXPECT_GT(bitmap.pixel(15, 1).red, 0);
}

TEST(GSBlur, RefusesA32BitBitmap)
{
    Bitmap bitmap(4, 4, 32);
    try {
        gsBlur(bitmap, 4.0);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Not a 24-bit bitmap");
    }
}
