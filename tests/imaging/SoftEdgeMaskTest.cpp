#include "imaging/SoftEdgeMask.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace pictaven;

namespace {

Bitmap filled(int width, int height, Colour colour, int bits = 24)
{
    Bitmap bitmap(width, height, bits);
    fillRect(bitmap, {0, 0, width, height}, colour);
    return bitmap;
}

Colour grey(int level)
{
    const auto v = static_cast<std::uint8_t>(level);
    return {v, v, v};
}

} // namespace

TEST(SoftEdgeMask, GreyLevelsBlendThePhotoWithTheColour)
{
    // Red 255 in the settings form; the photo is (200, 200, 200).
    const std::uint32_t red = 255;
    struct Case {
        int level;
        Colour expected;
    };
    // Level 128: a = 127 / 255 = 0.49803922; 200 (1 - a) = 100.39 and + 255 a = 227.39, truncated.
    const Case cases[] = {{255, grey(200)}, {0, {0, 0, 255}}, {128, {100, 100, 227}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Bitmap photo = filled(3, 2, grey(200));
        maskWith(photo, filled(3, 2, grey(c.level)), red);
        EXPECT_EQ(photo.bitsPerPixel(), 32);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(photo.pixel(x, y), c.expected);
    }
}

TEST(SoftEdgeMask, EveryGreyLevelFollowsTheSinglePrecisionRule)
{
    Bitmap maskPicture(256, 1);
    for (int x = 0; x < 256; ++x)
        maskPicture.setPixel(x, 0, grey(x));
    const Colour photoColour{17, 99, 250};
    Bitmap photo = filled(256, 1, photoColour);
    const std::uint32_t colour = 30 << 16 | 140 << 8 | 77; // blue 30, green 140, red 77
    maskWith(photo, maskPicture, colour);
    for (int v = 0; v < 256; ++v) {
        const float a = static_cast<float>((255.0f - static_cast<float>(v)) * (1.0 / 255.0));
        const auto mix = [&](int p, int c) {
            return static_cast<std::uint8_t>(static_cast<float>((1.0 - a) * p + static_cast<double>(c) * a));
        };
        ASSERT_EQ(photo.pixel(v, 0), (Colour{mix(17, 30), mix(99, 140), mix(250, 77)})) << v;
    }
}

TEST(SoftEdgeMask, ColouredMaskPixelsAreCopied)
{
    Bitmap photo = filled(2, 1, grey(10));
    Bitmap maskPicture(2, 1);
    maskPicture.setPixel(0, 0, {1, 2, 3});
    maskPicture.setPixel(1, 0, grey(255));
    maskWith(photo, maskPicture, 0);
    EXPECT_EQ(photo.pixel(0, 0), (Colour{1, 2, 3}));
    EXPECT_EQ(photo.pixel(1, 0), grey(10));
}

TEST(SoftEdgeMask, MaskIsStretchedToThePhoto)
{
    // A 2 x 2 mask, white on the left and black on the right, over an 8 x 6 photo.
    Bitmap maskPicture(2, 2);
    fillRect(maskPicture, {0, 0, 1, 2}, grey(255));
    Bitmap photo = filled(8, 6, grey(50), 32);
    maskWith(photo, maskPicture, 16777215);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(photo.pixel(x, y), x < 4 ? grey(50) : grey(255)) << x << "," << y;
}

TEST(SoftEdgeMask, ReadsTheMaskFromAJpegFile)
{
    test::TempDir dir;
    const std::string path = (dir / "mask.jpg").string();
    writeJpeg(filled(16, 16, grey(0)), path, 100);
    Bitmap photo = filled(5, 5, grey(90));
    mask(photo, path, 0x00ff00);
    EXPECT_EQ(photo.pixel(2, 2), (Colour{0, 255, 0}));

    Bitmap untouched = filled(5, 5, grey(90));
    EXPECT_THROW(mask(untouched, (dir / "missing.jpg").string(), 0), std::runtime_error);
    EXPECT_EQ(untouched, filled(5, 5, grey(90)));
}
