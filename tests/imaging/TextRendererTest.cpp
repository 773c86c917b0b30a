#include "imaging/TextRenderer.h"

#include "imaging/BitmapDrawing.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace pictaven;

namespace {

const Colour White{255, 255, 255};
const Colour Red{0, 0, 255};

Bitmap whitePicture(int width, int height, int bits = 24)
{
    Bitmap bitmap(width, height, bits);
    fillRect(bitmap, {0, 0, width, height}, White);
    return bitmap;
}

// The smallest rectangle holding every pixel that is not white; empty when there is none.
Rect inkedArea(const Bitmap& bitmap)
{
    Rect area{bitmap.width(), bitmap.height(), 0, 0};
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (bitmap.pixel(x, y) != White) {
                area.left = std::min(area.left, x);
                area.top = std::min(area.top, y);
                area.right = std::max(area.right, x + 1);
                area.bottom = std::max(area.bottom, y + 1);
            }
    return area;
}

} // namespace

TEST(TextRenderer, HelveticaAndArialAreMatchedToAScalableSansFace)
{
    for (const char* family : {"Helvetica", "Arial"}) {
        SCOPED_TRACE(family);
        TextRenderer renderer(family, 12);
        EXPECT_FALSE(renderer.fontFile().empty());
        EXPECT_NE(renderer.fontFile().find("Sans"), std::string::npos) << renderer.fontFile();
    }
}

TEST(TextRenderer, PointsBecomePixelsAtNinetySixPerInch)
{
    // 72 points are one inch, 96 pixels: a line is at least one em high and a capital H of a
    // sans face about seven tenths of an em.
    TextRenderer renderer("Helvetica", 72);
    EXPECT_GE(renderer.lineHeight(), 96);
    EXPECT_LE(renderer.lineHeight(), 96 * 13 / 10);
    Bitmap bitmap = whitePicture(200, 200);
    renderer.drawText(bitmap, 10, 10, "H", Colour{});
    const Rect h = inkedArea(bitmap);
    EXPECT_GE(h.height(), 60);
    EXPECT_LE(h.height(), 75);
    EXPECT_LE(h.bottom, 10 + renderer.lineHeight());
}

TEST(TextRenderer, WidthGrowsWithTheTextAndTheSize)
{
    TextRenderer small("Helvetica", 12);
    TextRenderer large("Helvetica", 24);
    EXPECT_EQ(small.textWidth(""), 0);
    const int hi = small.textWidth("Hi");
    const int longer = small.textWidth("Hi there, Mom's birthday");
    EXPECT_GT(hi, 0);
    EXPECT_GT(longer, hi);
    EXPECT_NEAR(large.textWidth("Hi there, Mom's birthday"), 2 * longer, longer / 10);
    EXPECT_GT(small.textWidth("Größe €"), small.textWidth("Gr"));
    EXPECT_GT(small.textWidth("bad \xFF\xC3 bytes \xE2\x82"), small.textWidth("bad  bytes "));
}

TEST(TextRenderer, DrawsInItsColourWhereTheTextIsMeasured)
{
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        TextRenderer renderer("Arial", 14);
        const std::string text = "Sunset at the beach";
        Bitmap bitmap = whitePicture(300, 60, bits);
        renderer.drawText(bitmap, 20, 15, text, Red);
        const Rect inked = inkedArea(bitmap);
        ASSERT_FALSE(inked.empty());
        EXPECT_GE(inked.left, 20);
        EXPECT_LE(inked.left, 22);
        EXPECT_LE(inked.right, 20 + renderer.textWidth(text) + 1);
        EXPECT_GE(inked.right, 20 + renderer.textWidth(text) - 3);
        EXPECT_GE(inked.top, 15);
        EXPECT_LE(inked.bottom, 15 + renderer.lineHeight());
        // Over a transparent background every pixel lies between the old colour and the ink.
        bool fullInk = false;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                const Colour p = bitmap.pixel(x, y);
                ASSERT_EQ(p.red, 255);
                ASSERT_EQ(p.green, p.blue);
                fullInk = fullInk || p == Red;
            }
        EXPECT_TRUE(fullInk);
    }
}

TEST(TextRenderer, DrawsOnlyInsideTheClip)
{
    TextRenderer renderer("Helvetica", 20);
    Bitmap whole = whitePicture(200, 50);
    renderer.drawText(whole, 5, 5, "Clipped label", Colour{});
    const Rect clip{30, 10, 80, 25};
    Bitmap clipped = whitePicture(200, 50);
    renderer.drawText(clipped, 5, 5, "Clipped label", Colour{}, clip);
    const Rect inked = inkedArea(clipped);
    ASSERT_FALSE(inked.empty());
    EXPECT_GE(inked.left, clip.left);
    EXPECT_GE(inked.top, clip.top);
    EXPECT_LE(inked.right, clip.right);
    EXPECT_LE(inked.bottom, clip.bottom);
    for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x)
            ASSERT_EQ(clipped.pixel(x, y), whole.pixel(x, y));

    // Text starting left of or above the bitmap, and clips outside it, are cut safely.
    Bitmap edge = whitePicture(40, 20);
    renderer.drawText(edge, -15, -8, "Edge", Colour{});
    renderer.drawText(edge, 0, 0, "Edge", Colour{}, {-100, -100, 500, 500});
    renderer.drawText(edge, 0, 0, "Edge", Colour{}, {50, 50, 60, 60});
    EXPECT_FALSE(inkedArea(edge).empty());
}

TEST(TextRenderer, RefusesSizesThatAreNotPositive)
{
    EXPECT_THROW(TextRenderer("Helvetica", 0), std::runtime_error);
    EXPECT_THROW(TextRenderer("Helvetica", -3), std::runtime_error);
}
