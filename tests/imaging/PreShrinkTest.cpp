#include "imaging/PreShrink.h"

#include <gtest/gtest.h>

using namespace pictaven;

TEST(PreShrink, FactorFollowsTheLongerSide)
{
    EXPECT_EQ(preShrinkFactor(600, 600), 1.0f);
    EXPECT_EQ(preShrinkFactor(601, 10), 0.5f);
    EXPECT_EQ(preShrinkFactor(10, 1000), 0.5f);
    EXPECT_EQ(preShrinkFactor(1001, 10), 0.3f);
    EXPECT_EQ(preShrinkFactor(2000, 2001), 0.2f);
}

TEST(PreShrink, SizesAreTruncated)
{
    struct Case {
        int w, h, expectedW, expectedH;
    };
    const Case cases[] = {
        {1500, 1000, 450, 300}, {800, 600, 400, 300}, {600, 600, 600, 600},
        {3000, 2000, 600, 400}, {4032, 3024, 806, 604}, {2001, 1, 400, 0},
    };
    for (const Case& c : cases) {
        Bitmap picture(c.w, c.h);
        Bitmap shrunk;
        preShrink(picture, shrunk);
        EXPECT_EQ(shrunk.width(), c.expectedW) << c.w << "x" << c.h;
        EXPECT_EQ(shrunk.height(), c.expectedH) << c.w << "x" << c.h;
    }
}

TEST(PreShrink, StretchesThePictureItself)
{
    Bitmap picture(800, 700, 32);
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 800; ++x)
            picture.setPixel(x, y, x < 400 ? Colour{255, 0, 0} : Colour{0, 0, 255});
    Bitmap shrunk;
    preShrink(picture, shrunk);
    ASSERT_EQ(shrunk.width(), 400);
    EXPECT_EQ(shrunk.bitsPerPixel(), 32);
    EXPECT_EQ(shrunk.pixel(0, 0), (Colour{255, 0, 0}));
    EXPECT_EQ(shrunk.pixel(199, 349), (Colour{255, 0, 0}));
    EXPECT_EQ(shrunk.pixel(200, 349), (Colour{0, 0, 255}));
    // A small picture comes through as a copy.
    Bitmap small(30, 20);
    small.setPixel(29, 19, {1, 2, 3});
    preShrink(small, shrunk);
    EXPECT_EQ(shrunk, small);
}
