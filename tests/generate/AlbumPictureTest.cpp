#include "catalog/FileStorage.h"
#include "generate/AlbumPicture.h"
#include "generate/PageGrid.h"
#include "generate/ThumbnailCell.h"
#include "imaging/BitmapDrawing.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

constexpr Colour white{255, 255, 255};
constexpr Colour grey{96, 96, 96};

// A 200 x 100 template: white left and right halves split by a grey bar, a grey rim.
Bitmap twoRoomTemplate()
{
    Bitmap background(200, 100);
    fillRect(background, {0, 0, 200, 100}, grey);
    fillRect(background, {4, 4, 98, 96}, white);
    fillRect(background, {102, 4, 196, 96}, white);
    return background;
}

PageGrid gridOf(int maxX, int maxY)
{
    PageGrid grid;
    grid.maxX = maxX;
    grid.maxY = maxY;
    return grid;
}

TEST(AlbumPicture, BackgroundColourFillsTheWhiteAreasAtAQuarterAndThreeQuarters)
{
    AlbumSettings settings;
    settings.BgColor = 0x0000ff; // red
    const AlbumPicture picture(twoRoomTemplate(), settings, gridOf(200, 100));
    EXPECT_EQ(picture.bitmap().pixel(50, 50), (Colour{0, 0, 255}));
    EXPECT_EQ(picture.bitmap().pixel(150, 50), (Colour{0, 0, 255}));
    EXPECT_EQ(picture.bitmap().pixel(100, 50), grey);

    // Points on the grey rim recolour nothing.
    const AlbumPicture rim(twoRoomTemplate(), settings, gridOf(4, 100));
    EXPECT_EQ(rim.bitmap().pixel(50, 50), white);

    settings.EnableBgColor = false;
    const AlbumPicture plain(twoRoomTemplate(), settings, gridOf(200, 100));
    EXPECT_EQ(plain.bitmap(), twoRoomTemplate());
}

TEST(AlbumPicture, LabelBoxLiesStraightAboveTheCell)
{
    AlbumSettings settings;
    settings.EnableBgColor = false;
    settings.ThumbWidth = 60;
    settings.LabelHeight = 15;
    settings.LabelBgColor = 0xff0000; // blue
    settings.LabelTextColor = 0xffffff;
    AlbumPicture picture(twoRoomTemplate(), settings, gridOf(200, 100));
    FileStorage photo;
    photo.WorkingPath = "/p/IMG_1.JPG";
    photo.Caption = "0";
    picture.drawLabel(photo, 20, 40);
    const Colour blue{255, 0, 0};
    EXPECT_EQ(picture.bitmap().pixel(19, 25), blue);  // top-left corner (x - 1, y - LH)
    EXPECT_EQ(picture.bitmap().pixel(79, 39), blue);  // bottom-right corner (x + ThumbWidth - 1, y - 1)
    EXPECT_EQ(picture.bitmap().pixel(18, 30), white); // left of the box
    EXPECT_EQ(picture.bitmap().pixel(80, 30), white); // right of it
    EXPECT_EQ(picture.bitmap().pixel(50, 40), white); // the cell itself
    EXPECT_EQ(picture.bitmap().pixel(50, 24), white); // above it
    // The text is drawn somewhere inside the box.
    bool text = false;
    for (int y = 26; y < 39; ++y) {
        for (int x = 20; x < 80; ++x)
            text = text || picture.bitmap().pixel(x, y) != blue;
    }
    EXPECT_TRUE(text);
}

TEST(AlbumPicture, ThumbnailAndFramePlacement)
{
    AlbumSettings settings;
    settings.EnableBgColor = false;
    settings.ThumbWidth = 40;
    settings.ThumbHeight = 30;
    settings.ThumbBorderColor = 0x00ff00;
    Bitmap thumbnail(10, 8);
    fillRect(thumbnail, {0, 0, 10, 8}, Colour{1, 2, 3});
    const ThumbnailCell cell = ThumbnailCell::place(settings, 20, 20, 40, 30, 0);

    AlbumPicture atRectangle(twoRoomTemplate(), settings, gridOf(200, 100));
    atRectangle.drawThumbnail(thumbnail, cell, 20, 20);
    const Colour green{0, 255, 0};
    EXPECT_EQ(atRectangle.bitmap().pixel(cell.cell.left, cell.cell.top), green);
    EXPECT_EQ(atRectangle.bitmap().pixel(cell.cell.right - 1, cell.cell.bottom - 1), green);
    EXPECT_EQ(atRectangle.bitmap().pixel(cell.thumbnail.left + 1, cell.thumbnail.top + 1), (Colour{1, 2, 3}));

    settings.Backdrop = true;
    settings.Border = false;
    const ThumbnailCell backdropCell = ThumbnailCell::place(settings, 20, 20, 40, 30, 0);
    AlbumPicture atCorner(twoRoomTemplate(), settings, gridOf(200, 100));
    atCorner.drawThumbnail(thumbnail, backdropCell, 20, 20);
    EXPECT_EQ(atCorner.bitmap().pixel(19, 19), (Colour{1, 2, 3}));
    EXPECT_EQ(atCorner.bitmap().pixel(28, 26), (Colour{1, 2, 3}));
    EXPECT_EQ(atCorner.bitmap().pixel(29, 27), white);
}

} // namespace
} // namespace pictaven
