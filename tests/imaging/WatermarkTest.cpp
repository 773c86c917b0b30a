#include "imaging/Watermark.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/OutlinedText.h"
#include "imaging/TextRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pictaven;

namespace {

const Colour Grey{128, 128, 128};
const Colour White{255, 255, 255};
const Colour Black{0, 0, 0};
const Colour Red{0, 0, 255};

Bitmap greyPhoto(int width, int height)
{
    Bitmap bitmap(width, height, 32);
    fillRect(bitmap, {0, 0, width, height}, Grey);
    return bitmap;
}

// The smallest rectangle holding every pixel that differs from `background`.
Rect changedArea(const Bitmap& bitmap, Colour background)
{
    Rect area{bitmap.width(), bitmap.height(), 0, 0};
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (bitmap.pixel(x, y) != background) {
                area.left = std::min(area.left, x);
                area.top = std::min(area.top, y);
                area.right = std::max(area.right, x + 1);
                area.bottom = std::max(area.bottom, y + 1);
            }
    return area;
}

bool contains(const Bitmap& bitmap, Colour colour)
{
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (bitmap.pixel(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST(OutlinedText, DarkColoursGetAWhiteOutlineAndOthersABlackOne)
{
    for (std::uint32_t dark : {0u, 16711680u, 8421504u, 32768u, 128u, 255u, 8388608u, 32896u, 8388736u})
        EXPECT_EQ(outlineColourFor(dark), 16777215u) << dark;
    for (std::uint32_t light : {16777215u, 65280u, 12632256u, 65535u, 1u})
        EXPECT_EQ(outlineColourFor(light), 0u) << light;
}

TEST(OutlinedText, TextIsRingedByItsOutlineOnePixelWide)
{
    TextRenderer font("Helvetica", 20);
    for (std::uint32_t colour : {16777215u, 0u}) {
        SCOPED_TRACE(colour);
        Bitmap plain = greyPhoto(120, 50);
        font.drawText(plain, 20, 10, "HI", Colour::fromSettings(colour));
        Bitmap outlined = greyPhoto(120, 50);
        drawOutlinedText(outlined, font, 20, 10, "HI", colour);
        const Rect text = changedArea(plain, Grey);
        const Rect ring = changedArea(outlined, Grey);
        // The outline reaches one pixel further on every side.
        EXPECT_EQ(ring, (Rect{text.left - 1, text.top - 1, text.right + 1, text.bottom + 1}));
        const Colour outline = Colour::fromSettings(outlineColourFor(colour));
        EXPECT_TRUE(contains(outlined, outline));
        EXPECT_TRUE(contains(outlined, Colour::fromSettings(colour)));
    }
}

TEST(Watermark, TextSitsInTheChosenCorner)
{
    const int w = 400;
    const int h = 120;
    TextRenderer font("Helvetica", 14);
    const int tw = font.textWidth("Pictaven");
    struct Case {
        int orientation;
        int x;
        int y;
    };
    const Case cases[] = {{0, 30, 5}, {1, 30, h - 30}, {2, w - tw - 30, 5}, {3, w - tw - 30, h - 30},
                          {9, w - tw - 30, h - 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        Bitmap photo = greyPhoto(w, h);
        drawWatermark(photo, {1, c.orientation, "Pictaven", 14}, nullptr);
        // The same as drawing the outlined white text at the table's point.
        Bitmap expected = greyPhoto(w, h);
        drawOutlinedText(expected, font, c.x, c.y, "Pictaven", 16777215);
        EXPECT_EQ(photo, expected);
        EXPECT_TRUE(contains(photo, White));
        EXPECT_TRUE(contains(photo, Black));
    }
}

TEST(Watermark, TextWiderThanThePhotoStartsAtTheMargin)
{
    Bitmap photo = greyPhoto(60, 60);
    drawWatermark(photo, {1, 3, "A watermark far wider than the photo", 12}, nullptr);
    Bitmap expected = greyPhoto(60, 60);
    TextRenderer font("Helvetica", 12);
    drawOutlinedText(expected, font, 30, 30, "A watermark far wider than the photo", 16777215);
    EXPECT_EQ(photo, expected);
    EXPECT_NE(photo, greyPhoto(60, 60));
}

TEST(Watermark, PictureSitsInTheChosenCornerWithWhiteTransparent)
{
    const int w = 200;
    const int h = 100;
    Bitmap picture(20, 10);
    fillRect(picture, {0, 0, 20, 10}, Red);
    picture.setPixel(0, 0, White);
    struct Case {
        int orientation;
        int x;
        int y;
    };
    // Bottom right keeps 5 pixels to the right edge, top right 30.
    const Case cases[] = {{0, 30, 5}, {1, 30, h - 10 - 5}, {2, w - 20 - 30, 5}, {3, w - 20 - 5, h - 10 - 5},
                          {-1, w - 20 - 5, h - 10 - 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        Bitmap photo = greyPhoto(w, h);
        drawWatermark(photo, {2, c.orientation, "", 12}, &picture);
        EXPECT_EQ(changedArea(photo, Grey), (Rect{c.x, c.y, c.x + 20, c.y + 10}));
        EXPECT_EQ(photo.pixel(c.x, c.y), Grey);
        EXPECT_EQ(photo.pixel(c.x + 1, c.y), Red);
    }
}

TEST(Watermark, PictureLargerThanThePhotoFallsBackToTheMarginAndTheTop)
{
    Bitmap picture(80, 70);
    fillRect(picture, {0, 0, 80, 70}, Red);
    for (int orientation : {1, 2, 3}) {
        SCOPED_TRACE(orientation);
        Bitmap photo = greyPhoto(60, 50);
        drawWatermark(photo, {2, orientation, "", 12}, &picture);
        const int y = orientation == 2 ? 5 : 0;
        EXPECT_EQ(changedArea(photo, Grey), (Rect{30, y, 60, 50}));
    }
}

TEST(Watermark, NothingIsDrawnWithoutAWatermark)
{
    Bitmap picture(5, 5);
    for (int type : {0, -1, 2}) {
        Bitmap photo = greyPhoto(100, 100);
        drawWatermark(photo, {type, 0, "text", 12}, type == 2 ? nullptr : &picture);
        EXPECT_EQ(photo, greyPhoto(100, 100)) << type;
    }
}
