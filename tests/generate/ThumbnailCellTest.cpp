#include "generate/ThumbnailCell.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

struct CellCase {
    const char* name;
    int thumbWidth;
    int thumbHeight;
    bool aspectRatio;
    bool backdrop;
    int pictureWidth;
    int pictureHeight;
    int rotation;
    Rect thumbnail;
    Rect cell;
    int fittedWidth;
    int fittedHeight;
};

class ThumbnailCells : public ::testing::TestWithParam<CellCase> { };

TEST_P(ThumbnailCells, FitTheCell)
{
    const CellCase& c = GetParam();
    AlbumSettings settings;
    settings.ThumbWidth = c.thumbWidth;
    settings.ThumbHeight = c.thumbHeight;
    settings.AspectRatio = c.aspectRatio;
    settings.Backdrop = c.backdrop;
    const ThumbnailCell cell = ThumbnailCell::place(settings, 40, 60, c.pictureWidth, c.pictureHeight, c.rotation);
    EXPECT_EQ(cell.thumbnail, c.thumbnail);
    EXPECT_EQ(cell.cell, c.cell);
    EXPECT_EQ(cell.fittedWidth, c.fittedWidth);
    EXPECT_EQ(cell.fittedHeight, c.fittedHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThumbnailCells,
    ::testing::Values(
        // 1600 x 1200 in 132 x 116: scale 0.0825, 132 x 99, centred one pixel in.
        CellCase{"landscape", 132, 116, true, false, 1600, 1200, 0, {41, 69, 171, 166}, {41, 69, 171, 166}, 132, 99},
        CellCase{"backdropCell", 132, 116, true, true, 1600, 1200, 0, {41, 69, 171, 166}, {39, 59, 172, 176}, 132, 99},
        // The 32-bit scale is a hair below 120 / 2592: 119 x 89.
        CellCase{"scaleBelowTheRatio", 120, 90, true, false, 2592, 1944, 0, {41, 61, 158, 148}, {41, 61, 158, 148},
                 119, 89},
        CellCase{"quarterTurnExchanges", 80, 80, true, false, 1600, 1200, 2, {51, 61, 109, 139}, {51, 61, 109, 139}, 60,
                 80},
        CellCase{"halfTurnKeeps", 80, 80, true, false, 1600, 1200, 3, {41, 71, 119, 129}, {41, 71, 119, 129}, 80, 60},
        // A sliver two pixels high would leave an empty rectangle; it keeps one row.
        CellCase{"sliverKeepsOneRow", 80, 80, true, false, 800, 20, 0, {41, 100, 119, 101}, {41, 100, 119, 101}, 80, 2},
        // A hairline photo keeps a fitted width of 1 and a one-pixel column.
        CellCase{"hairline", 80, 80, true, false, 1, 1000, 0, {80, 61, 81, 138}, {80, 61, 81, 138}, 1, 79},
        CellCase{"aspectRatioOff", 100, 80, false, false, 1600, 1200, 1, {40, 60, 140, 140}, {40, 60, 140, 140}, 100, 80},
        CellCase{"aspectRatioOffBackdrop", 100, 80, false, true, 16, 12, 0, {40, 60, 140, 140}, {39, 59, 140, 140}, 100,
                 80}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pictaven
