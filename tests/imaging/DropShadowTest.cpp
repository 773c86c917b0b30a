#include "imaging/DropShadow.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/GSBlur.h"

#include <gtest/gtest.h>

using namespace pictaven;

namespace {

const Colour White{255, 255, 255};

Bitmap filled(int width, int height, Colour colour, int bits = 32)
{
    Bitmap bitmap(width, height, bits);
    fillRect(bitmap, {0, 0, width, height}, colour);
    return bitmap;
}

// The shadow factor of one mask pixel, written out step by step.
float shadowFactor(Colour m)
{
    float v = static_cast<float>(m.blue + m.green + m.red);
    v = static_cast<float>(v * (1.0 / 3.0));
    if (v <= 252.0f)
        v = static_cast<float>(static_cast<double>(v) * static_cast<double>(v) / 255.0);
    if (v <= 0.0f)
        v = 0.0f;
    return static_cast<float>(v / 255.0);
}

Colour shaded(Colour background, Colour m)
{
    const float f = shadowFactor(m);
    const auto scale = [f](std::uint8_t c) { return static_cast<std::uint8_t>(static_cast<float>(c * static_cast<double>(f))); };
    return {scale(background.blue), scale(background.green), scale(background.red)};
}

// The picture as the shadow should leave it, built pixel by pixel from blurred grey bars.
Bitmap expectedShadow(const Bitmap& picture, const Bitmap& background, int x, int y)
{
    const int w = picture.width();
    const int h = picture.height();
    Bitmap right = filled(16, h + 16, White, 24);
    fillRect(right, {0, 8, 4, h + 4}, {80, 80, 80});
    gsBlur(right, 4);
    Bitmap bottom = filled(w + 12, 16, White, 24);
    fillRect(bottom, {8, 0, w + 4, 4}, {80, 80, 80});
    gsBlur(bottom, 4);
    const auto inside = [&](int bx, int by) {
        return bx >= 0 && by >= 0 && bx < background.width() && by < background.height();
    };
    Bitmap result(w + 16, h + 16, 32);
    for (int r = 0; r < h + 16; ++r)
        for (int c = 0; c < w + 16; ++c) {
            Colour value;
            if (r < h && c < w) {
                value = picture.pixel(c, r);
            } else if (r >= h && c < w + 12) {
                const Colour m = bottom.pixel(c, r - h);
                value = inside(x + c, y + r) ? shaded(background.pixel(x + c, y + r), m) : m;
            } else {
                const Colour m = right.pixel(c - w, r);
                value = inside(x + c, y + r) ? shaded(background.pixel(x + c, y + r), m) : m;
            }
            result.setPixel(c, r, value);
        }
    return result;
}

Bitmap gradient(int width, int height)
{
    Bitmap bitmap(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, {static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5),
                                   static_cast<std::uint8_t>(200 + (x + y) % 50)});
    return bitmap;
}

} // namespace

TEST(BlendShadow, ScalesTheBackgroundByTheSquaredMaskLevel)
{
    const Bitmap background = gradient(40, 3);
    Bitmap maskPicture(256, 3, 24);
    for (int x = 0; x < 256; ++x) {
        const auto v = static_cast<std::uint8_t>(x);
        maskPicture.setPixel(x, 0, {v, v, v});
        maskPicture.setPixel(x, 1, {v, static_cast<std::uint8_t>(255 - x), 7});
        maskPicture.setPixel(x, 2, {255, 255, 255});
    }
    // Only the first 40 columns lie over the background; the rest of the destination stays.
    Bitmap destination = filled(256, 3, {1, 2, 3});
    blendShadow(background, maskPicture, destination, 0, 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 256; ++c) {
            const Colour expected = c < 40 ? shaded(background.pixel(c, r), maskPicture.pixel(c, r)) : Colour{1, 2, 3};
            ASSERT_EQ(destination.pixel(c, r), expected) << c << "," << r;
        }
    // White keeps the background; the bar grey darkens it to about a tenth.
    EXPECT_EQ(destination.pixel(10, 2), background.pixel(10, 2));
    EXPECT_EQ(shaded(White, {80, 80, 80}), (Colour{25, 25, 25}));
}

TEST(BlendShadow, PositionsOutsideTheBackgroundAreSkipped)
{
    const Bitmap background = filled(4, 4, White);
    const Bitmap maskPicture = filled(4, 4, {80, 80, 80});
    Bitmap destination = filled(4, 4, {9, 9, 9});
    blendShadow(background, maskPicture, destination, 2, -1);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(destination.pixel(c, r), ((c < 2 && r >= 1) ? Colour{25, 25, 25} : Colour{9, 9, 9})) << c << "," << r;
}

TEST(DrawShadow, GrowsBySixteenPixelsOverAPlainBackground)
{
    Bitmap picture = gradient(78, 58);
    const Bitmap original = picture;
    const Colour page{200, 150, 100};
    drawShadow(nullptr, picture, 0, 0, page);
    ASSERT_EQ(picture.width(), 94);
    ASSERT_EQ(picture.height(), 74);
    EXPECT_EQ(picture, expectedShadow(original, filled(94, 74, page), 0, 0));
    // Far from the bars the margin is the bare background colour.
    EXPECT_EQ(picture.pixel(93, 30), page);
    EXPECT_EQ(picture.pixel(2, 73), page);
    // Next to the bars it is dark.
    EXPECT_LT(picture.pixel(79, 30).red, 60);
}

TEST(DrawShadow, TakesTheBackgroundPictureAtItsPlace)
{
    const Bitmap background = gradient(120, 90);
    for (const auto& [x, y] : {std::pair{10, 12}, std::pair{40, 30}, std::pair{-5, 0}}) {
        SCOPED_TRACE(x);
        Bitmap picture = filled(70, 50, {0, 0, 255});
        const Bitmap original = picture;
        drawShadow(&background, picture, x, y, White);
        // At (40, 30) the margin reaches past the background's right and bottom edges.
        EXPECT_EQ(picture, expectedShadow(original, background, x, y));
    }
}
