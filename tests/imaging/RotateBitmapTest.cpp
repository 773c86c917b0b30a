#include "imaging/RotateBitmap.h"

#include <gtest/gtest.h>

using namespace pictaven;

namespace {

// Each pixel names its own position: blue = column, green = row.
Bitmap numbered(int width, int height, int bitsPerPixel)
{
    Bitmap bitmap(width, height, bitsPerPixel);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7});
    return bitmap;
}

Colour at(int column, int row)
{
    return {static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row), 7};
}

} // namespace

TEST(RotateBitmap, TurnsMapEveryPixel)
{
    // Sizes across the tile edge as well as tiny ones.
    for (const auto& [w, h] : {std::pair{3, 2}, {1, 5}, {70, 131}})
        for (int depth : {24, 32}) {
            const Bitmap source = numbered(w, h, depth);
            Bitmap left, right, half;
            rotateLeft90(source, left);
            rotateRight90(source, right);
            rotate180(source, half);
            ASSERT_EQ(left.width(), h);
            ASSERT_EQ(left.height(), w);
            ASSERT_EQ(right.width(), h);
            ASSERT_EQ(right.height(), w);
            ASSERT_EQ(half.width(), w);
            ASSERT_EQ(half.height(), h);
            EXPECT_EQ(left.bitsPerPixel(), 32);
            for (int r = 0; r < w; ++r)
                for (int c = 0; c < h; ++c) {
                    ASSERT_EQ(left.pixel(c, r), at(w - 1 - r, c));
                    ASSERT_EQ(right.pixel(c, r), at(r, h - 1 - c));
                }
            for (int r = 0; r < h; ++r)
                for (int c = 0; c < w; ++c)
                    ASSERT_EQ(half.pixel(c, r), at(w - 1 - c, h - 1 - r));
        }
}

TEST(RotateBitmap, LeftThenRightGivesTheSourceBack)
{
    const Bitmap source = numbered(9, 4, 32);
    Bitmap turned, back;
    rotateLeft90(source, turned);
    rotateRight90(turned, back);
    EXPECT_EQ(back, source);
    rotate180(back, back);
    rotate180(back, back);
    EXPECT_EQ(back, source);
}

TEST(RotateBitmap, FourthBytesOfAFittingDestinationStay)
{
    Bitmap destination(2, 3, 32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            destination.row(y)[4 * x + 3] = 99;
    rotateRight90(numbered(3, 2, 24), destination);
    EXPECT_EQ(destination.row(2)[7], 99);
    EXPECT_EQ(destination.pixel(1, 2), at(2, 0));
}

TEST(RotateBitmap, ChoosesTheTurnByRotation)
{
    const Bitmap source = numbered(4, 3, 24);
    for (int rotation : {1, 2, 3}) {
        Bitmap expected, actual;
        if (rotation == 1)
            rotateLeft90(source, expected);
        else if (rotation == 2)
            rotateRight90(source, expected);
        else
            rotate180(source, expected);
        rotateBitmap(source, actual, rotation);
        EXPECT_EQ(actual, expected) << rotation;
    }
    for (int rotation : {0, 4, -1}) {
        Bitmap untouched(2, 2);
        rotateBitmap(source, untouched, rotation);
        EXPECT_EQ(untouched, Bitmap(2, 2)) << rotation;
    }
}
