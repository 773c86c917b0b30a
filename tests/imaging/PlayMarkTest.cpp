#include "imaging/PlayMark.h"
#include "imaging/Bitmap.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

Bitmap grey(int width, int height, int bits = 24)
{
    Bitmap picture(width, height, bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, {128, 128, 128});
    return picture;
}

int brightness(const Bitmap& picture, int x, int y)
{
    const Colour c = picture.pixel(x, y);
    return c.blue + c.green + c.red;
}

TEST(PlayMark, WhiteTriangleOnADarkDiscInTheMiddle)
{
    Bitmap picture = grey(120, 90);
    drawPlayMark(picture);
    // Diameter 40: the triangle holds the middle, the disc darkens around it, the rest stays.
    EXPECT_EQ(picture.pixel(61, 45), (Colour{255, 255, 255}));
    EXPECT_LT(brightness(picture, 60, 33), 3 * 128 - 100) << "above the triangle, inside the disc";
    EXPECT_LT(brightness(picture, 48, 45), 3 * 128 - 100) << "left of the triangle";
    EXPECT_EQ(picture.pixel(60, 20), (Colour{128, 128, 128})) << "outside the disc";
    EXPECT_EQ(picture.pixel(0, 0), (Colour{128, 128, 128}));
    // The mark points right: the triangle reaches further right of the middle than left.
    EXPECT_EQ(picture.pixel(64, 45), (Colour{255, 255, 255}));
    EXPECT_LT(brightness(picture, 56, 35), 3 * 128) << "above the left corner";
    EXPECT_LT(brightness(picture, 53, 45), 3 * 255);
}

TEST(PlayMark, FitsTinyPicturesAndKeepsTheFourthByte)
{
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 40}, {9, 9}}) {
        Bitmap picture = grey(width, height, 32);
        for (int y = 0; y < height; ++y)
            picture.row(y)[3] = 200;
        drawPlayMark(picture);
        EXPECT_NE(picture, grey(width, height, 32)) << width << "x" << height;
        EXPECT_EQ(picture.row(0)[3], 200);
    }
    Bitmap none;
    drawPlayMark(none);
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace pictaven
