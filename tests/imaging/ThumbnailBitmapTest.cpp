#include "imaging/ThumbnailBitmap.h"
#include "imaging/ThumbnailComposition.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/Buttonize.h"
#include "imaging/DropShadow.h"
#include "imaging/ResampleFilters.h"
#include "imaging/RotateBitmap.h"
#include "imaging/StretchAndResample.h"

#include <gtest/gtest.h>

using namespace pictaven;

namespace {

Bitmap pattern(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, {static_cast<std::uint8_t>(x * 3 + y), static_cast<std::uint8_t>(y * 11),
                                   static_cast<std::uint8_t>((x ^ y) * 5)});
    return bitmap;
}

Bitmap resampled(const Bitmap& source, int width, int height)
{
    Bitmap result(width, height);
    stretchAndResample(source, result, lanczos3Filter, 3);
    return result;
}

Bitmap turned(const Bitmap& source, int rotation)
{
    Bitmap result;
    rotateBitmap(source, result, rotation);
    return result;
}

// An 80 x 80 box with AspectRatio on: a W x H picture fitted to tw x th lies in a rectangle
// two pixels smaller.
ThumbnailShape fitted(int tw, int th, int rotation)
{
    ThumbnailShape shape;
    shape.rectWidth = tw - 2;
    shape.rectHeight = th - 2;
    shape.fittedWidth = tw;
    shape.fittedHeight = th;
    shape.thumbWidth = 80;
    shape.thumbHeight = 80;
    shape.rotation = rotation;
    return shape;
}

} // namespace

TEST(ThumbnailSource, KeepsTheFullSizeAndPreShrinks)
{
    const ThumbnailSource source = makeThumbnailSource(pattern(1600, 1200));
    EXPECT_EQ(source.width, 1600);
    EXPECT_EQ(source.height, 1200);
    EXPECT_EQ(source.preShrunk.width(), 480);
    EXPECT_EQ(source.preShrunk.height(), 360);
}

TEST(ThumbnailBitmap, ResamplesThePreShrunkPictureIntoTheRectangle)
{
    const Bitmap preShrunk = makeThumbnailSource(pattern(1600, 1200)).preShrunk;
    const Bitmap thumbnail = makeThumbnailBitmap(preShrunk, fitted(80, 60, 0));
    EXPECT_EQ(thumbnail.width(), 78);
    EXPECT_EQ(thumbnail.height(), 58);
    EXPECT_EQ(thumbnail.withDepth(24), resampled(preShrunk, 78, 58));
}

TEST(ThumbnailBitmap, QuarterTurnsScaleTheUnturnedShapeThenTurn)
{
    const Bitmap preShrunk = makeThumbnailSource(pattern(1600, 1200)).preShrunk;
    for (int rotation : {1, 2}) {
        SCOPED_TRACE(rotation);
        // The page exchanges the fitted size for a quarter turn: 60 x 80.
        const Bitmap thumbnail = makeThumbnailBitmap(preShrunk, fitted(60, 80, rotation));
        EXPECT_EQ(thumbnail.width(), 58);
        EXPECT_EQ(thumbnail.height(), 78);
        EXPECT_EQ(thumbnail, turned(resampled(preShrunk, 78, 58), rotation));
    }
    const Bitmap flipped = makeThumbnailBitmap(preShrunk, fitted(80, 60, 3));
    EXPECT_EQ(flipped, turned(resampled(preShrunk, 78, 58), 3));
}

TEST(ThumbnailBitmap, SmallPicturesAreStretchedToTheFittedSizeAndCut)
{
    // 16 x 12 at scale 5 fits 80 x 60; the thumbnail is 78 x 58 of that stretch.
    const Bitmap small = pattern(16, 12);
    Bitmap stretched(80, 60);
    stretchBitmap(stretched, {0, 0, 80, 60}, small);
    Bitmap cut(78, 58);
    drawBitmap(cut, stretched, 0, 0);
    EXPECT_EQ(makeThumbnailBitmap(small, fitted(80, 60, 0)).withDepth(24), cut);
    // Turned photos are stretched in their own shape too, not squeezed into the turned one.
    EXPECT_EQ(makeThumbnailBitmap(small, fitted(60, 80, 2)), turned(cut, 2));
}

TEST(ThumbnailBitmap, BevelOnlyWithAspectRatio)
{
    const Bitmap preShrunk = pattern(200, 150);
    ThumbnailShape shape = fitted(80, 60, 0);
    shape.buttonize = true;
    Bitmap expected = resampled(preShrunk, 78, 58);
    buttonize(expected, 4, 100);
    EXPECT_EQ(makeThumbnailBitmap(preShrunk, shape).withDepth(24), expected);

    // AspectRatio off: the box 100 x 80 whatever the picture, turned to 80 x 100, no bevel.
    shape.aspectRatio = false;
    shape.thumbWidth = 100;
    shape.thumbHeight = 80;
    shape.rotation = 1;
    const Bitmap boxed = makeThumbnailBitmap(preShrunk, shape);
    EXPECT_EQ(boxed.width(), 80);
    EXPECT_EQ(boxed.height(), 100);
    EXPECT_EQ(boxed, turned(resampled(preShrunk, 100, 80), 1));
}

TEST(ThumbnailComposition, BasicAlbumFramesAndShadowsTheThumbnail)
{
    const Bitmap thumbnail = pattern(78, 58);
    ThumbnailStyle style;
    style.borderColour = {0, 0, 200};
    style.pageBackground = {10, 200, 30};
    style.thumbBackground = {99, 99, 99};

    style.shadow = false;
    Bitmap framed = thumbnail;
    composeThumbnail(framed, nullptr, 0, 0, {}, style);
    Bitmap expected = thumbnail.withDepth(32);
    frameRect(expected, {0, 0, 78, 58}, style.borderColour);
    EXPECT_EQ(framed, expected);

    style.shadow = true;
    Bitmap shadowed = thumbnail;
    composeThumbnail(shadowed, nullptr, 0, 0, {}, style);
    EXPECT_EQ(shadowed.width(), 94);
    EXPECT_EQ(shadowed.height(), 74);
    drawShadow(nullptr, expected, 0, 0, style.pageBackground);
    EXPECT_EQ(shadowed, expected);

    // With Backdrop and AspectRatio the shadow falls on the thumbnail background colour.
    style.backdrop = true;
    Bitmap backed = thumbnail;
    composeThumbnail(backed, nullptr, 0, 0, {}, style);
    EXPECT_EQ(backed.pixel(93, 30), style.thumbBackground);
}

TEST(ThumbnailComposition, PictureAlbumBackdropFillsTheCellAndShadowsOnThePicture)
{
    Bitmap albumPicture(300, 200, 32);
    fillRect(albumPicture, {0, 0, 300, 200}, {40, 80, 120});
    fillRect(albumPicture, {150, 0, 300, 200}, {200, 10, 10});
    const Bitmap thumbnail = pattern(78, 58);
    ThumbnailStyle style;
    style.backdrop = true;
    style.border = false;
    style.shadow = false;
    style.thumbBackground = {1, 2, 3};
    // ThumbWidth 80 x ThumbHeight 80 at cell origin (50, 40): the cell is (49, 39, 130, 120).
    const Rect cell{49, 39, 130, 120};
    Bitmap work = thumbnail;
    composeThumbnail(work, &albumPicture, 51, 50, cell, style);
    ASSERT_EQ(work.width(), 81);
    ASSERT_EQ(work.height(), 81);
    EXPECT_EQ(work.pixel(0, 0), style.thumbBackground);
    EXPECT_EQ(work.pixel(80, 80), style.thumbBackground);
    // Centred: ((81 - 78) div 2, (81 - 58) div 2) = (1, 11).
    EXPECT_EQ(work.pixel(1, 11), thumbnail.pixel(0, 0));
    EXPECT_EQ(work.pixel(78, 68), thumbnail.pixel(77, 57));

    // The shadow is taken from the album picture at the cell's corner.
    style.shadow = true;
    Bitmap shadowed = thumbnail;
    composeThumbnail(shadowed, &albumPicture, 51, 50, cell, style);
    ASSERT_EQ(shadowed.width(), 97);
    EXPECT_EQ(shadowed.pixel(96, 40), albumPicture.pixel(cell.left + 96, cell.top + 40));
    EXPECT_EQ(shadowed.pixel(5, 96), albumPicture.pixel(cell.left + 5, cell.top + 96));

    // Without the backdrop the thumbnail keeps its size and the shadow is found at (left, top).
    style.backdrop = false;
    Bitmap plain = thumbnail;
    composeThumbnail(plain, &albumPicture, 120, 50, cell, style);
    ASSERT_EQ(plain.width(), 94);
    EXPECT_EQ(plain.pixel(93, 30), albumPicture.pixel(120 + 93, 50 + 30));
}
