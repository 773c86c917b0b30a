#include "generate/PageGridRules.h"
#include "ini/IntegerText.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pictaven {
namespace {

AlbumSettings pictureTemplate()
{
    AlbumSettings settings;
    settings.Left = "40";
    settings.Right = "40";
    settings.Top = "60";
    settings.Bottom = "20";
    settings.SpacingCols = 10;
    settings.SpacingRows = 10;
    settings.Label = true;
    settings.LabelHeight = 15;
    settings.ThumbnailsPerRow = 4;
    settings.RowsPerPage = 3;
    return settings;
}

TEST(PageGrid, GraphicalAlbumFitsThumbnailsToThePicture)
{
    AlbumSettings settings = pictureTemplate();
    const PageGrid grid = graphicalPageGrid(settings, 640, 480);
    EXPECT_EQ(settings.ThumbWidth, 132);
    EXPECT_EQ(settings.ThumbHeight, 116);
    ASSERT_EQ(grid.rows, 3);
    ASSERT_EQ(grid.columns, 4);
    EXPECT_EQ(pageSizeOf(grid), 12);
    EXPECT_EQ(grid.rowY(0), 60);
    EXPECT_EQ(grid.rowY(1), 201);
    EXPECT_EQ(grid.rowY(2), 342);
    EXPECT_EQ(grid.columnX(0), 40);
    EXPECT_EQ(grid.columnX(1), 182);
    EXPECT_EQ(grid.columnX(2), 324);
    EXPECT_EQ(grid.columnX(3), 466);
    EXPECT_EQ(grid.maxX, 600);
    EXPECT_EQ(grid.maxY, 460);
}

TEST(PageGrid, GraphicalAlbumWithoutLabelsCountsNoLabelHeight)
{
    AlbumSettings settings = pictureTemplate();
    settings.Label = false;
    const PageGrid grid = graphicalPageGrid(settings, 640, 480);
    EXPECT_EQ(settings.ThumbHeight, (480 - 60 - 20 - 10 * 2) / 3);
    EXPECT_EQ(grid.rowPitch, settings.ThumbHeight + 10);
    EXPECT_EQ(grid.rows, 3);
}

TEST(PageGrid, PictureTooSmallGivesAnEmptyGrid)
{
    for (const auto& [width, height] : {std::pair{100, 480}, std::pair{640, 90}, std::pair{0, 0}}) {
        AlbumSettings settings = pictureTemplate();
        const PageGrid grid = graphicalPageGrid(settings, width, height);
        EXPECT_EQ(pageSizeOf(grid), 0) << width << " x " << height;
    }
}

TEST(PageGrid, NegativeSpacingThatStopsTheGridFromAdvancingGivesAnEmptyGrid)
{
    AlbumSettings settings = pictureTemplate();
    settings.SpacingCols = -600; // thumbnails 590 wide, column pitch -10
    const PageGrid grid = graphicalPageGrid(settings, 640, 480);
    EXPECT_EQ(pageSizeOf(grid), 0);
}

TEST(PageGrid, GraphicalAlbumRefusesBordersThatAreNotNumbers)
{
    AlbumSettings settings = pictureTemplate();
    settings.Top = "6o";
    EXPECT_THROW(graphicalPageGrid(settings, 640, 480), ConversionError);
}

TEST(PageGrid, GraphicalAlbumNeedsARowAndAColumn)
{
    AlbumSettings settings = pictureTemplate();
    settings.RowsPerPage = 0;
    EXPECT_THROW(graphicalPageGrid(settings, 640, 480), std::invalid_argument);
}

struct BasicCase {
    int rows;
    bool label;
    int maxX;
    int maxY;
};

class BasicGrid : public ::testing::TestWithParam<BasicCase> { };

TEST_P(BasicGrid, TakesRowsAndColumnsFromTheSettings)
{
    const BasicCase& c = GetParam();
    AlbumSettings settings; // 80 x 80 thumbnails, spacing 15, 4 per row, label height 15
    settings.RowsPerPage = c.rows;
    settings.Label = c.label;
    const PageGrid grid = basicPageGrid(settings);
    EXPECT_EQ(grid.rows, c.rows);
    EXPECT_EQ(grid.columns, 4);
    EXPECT_EQ(grid.x0, 10);
    EXPECT_EQ(grid.y0, 50);
    EXPECT_EQ(grid.maxX, c.maxX);
    EXPECT_EQ(grid.maxY, c.maxY);
    EXPECT_EQ(grid.rowPitch, 80 + 15 + (c.label ? 15 : 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, BasicGrid,
                         ::testing::Values(BasicCase{3, true, 20 + 4 * 95, 50 + 3 * 80 + 4 * 30},
                                           BasicCase{3, false, 20 + 4 * 95, 50 + 3 * 80 + 4 * 15},
                                           BasicCase{1, true, 4 * 80 + 2 * 4 * 15 + 20, 50 + 80 + 2 * 30}));

} // namespace
} // namespace pictaven
