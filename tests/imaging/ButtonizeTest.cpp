#include "imaging/Buttonize.h"

#include <gtest/gtest.h>

using namespace pictaven;

namespace {

Bitmap grey(int width, int height, int bitsPerPixel = 24)
{
    Bitmap bitmap(width, height, bitsPerPixel);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, {128, 128, 128});
    return bitmap;
}

std::uint8_t level(const Bitmap& bitmap, int x, int y)
{
    return bitmap.pixel(x, y).green;
}

} // namespace

TEST(Buttonize, LightensTopAndLeftDarkensBottomAndRight)
{
    Bitmap bitmap = grey(20, 16, 32);
    buttonize(bitmap, 4, 100);
    EXPECT_EQ(bitmap.bitsPerPixel(), 24);
    // 128 + (127 * 100) div 255 and 128 - (128 * 100) div 255.
    EXPECT_EQ(level(bitmap, 10, 0), 177);
    EXPECT_EQ(level(bitmap, 10, 4), 177);
    EXPECT_EQ(level(bitmap, 2, 8), 177);
    EXPECT_EQ(level(bitmap, 10, 15), 78);
    EXPECT_EQ(level(bitmap, 10, 11), 78);
    EXPECT_EQ(level(bitmap, 17, 8), 78);
    EXPECT_EQ(level(bitmap, 10, 5), 128);
    EXPECT_EQ(level(bitmap, 5, 8), 128);
    EXPECT_EQ(level(bitmap, 14, 8), 128);
    // Corners are changed twice: lightened twice at the top left, lightened then darkened at
    // the top right, darkened then lightened at the bottom left, darkened twice at the bottom right.
    EXPECT_EQ(level(bitmap, 0, 0), 177 + (78 * 100) / 255);
    EXPECT_EQ(level(bitmap, 19, 0), 177 - (177 * 100) / 255);
    EXPECT_EQ(level(bitmap, 0, 15), 78 + (177 * 100) / 255);
    EXPECT_EQ(level(bitmap, 19, 15), 78 - (78 * 100) / 255);
    EXPECT_EQ(level(bitmap, 3, 3), 177 + (78 * 100) / 255);
    EXPECT_EQ(level(bitmap, 4, 3), 177);
}

TEST(Buttonize, DepthZeroOnlyConverts)
{
    Bitmap bitmap = grey(10, 10, 32);
    buttonize(bitmap, 0, 100);
    EXPECT_EQ(bitmap, grey(10, 10));
}

TEST(Buttonize, SmallBitmapsAreBevelledWithoutLeavingThem)
{
    for (int size : {1, 2, 3, 5, 9}) {
        Bitmap bitmap = grey(size, size + 1);
        buttonize(bitmap, 4, 100);
        EXPECT_EQ(bitmap.width(), size);
        EXPECT_NE(level(bitmap, 0, 0), 128);
    }
}
