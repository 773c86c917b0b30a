#include "generate/PageGridRules.h"

#include "ini/IntegerText.h"
#include "settings/AlbumSettings.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace pictaven {

namespace {

// Origins origin, origin + pitch, ... whose cell of `extent` still ends at or before `limit`.
std::int32_t countFitting(std::int64_t origin, std::int64_t pitch, std::int64_t extent, std::int64_t limit)
{
    // A pitch below one pixel would repeat one cell forever, and a cell below one pixel holds no
    // thumbnail.
    if (pitch < 1 || extent < 1)
        return 0;
    if (origin + extent > limit)
        return 0;
    return static_cast<std::int32_t>((limit - extent - origin) / pitch + 1);
}

std::int32_t clamped(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

} // namespace

int effectiveLabelHeight(const AlbumSettings& settings)
{
    return settings.Label ? settings.LabelHeight : 0;
}

std::int64_t pageSizeOf(const PageGrid& grid)
{
    return std::int64_t{grid.rows} * grid.columns;
}

PageGrid basicPageGrid(const AlbumSettings& settings)
{
    const std::int64_t lh = effectiveLabelHeight(settings);
    const std::int64_t columns = settings.ThumbnailsPerRow;
    const std::int64_t rows = settings.RowsPerPage;
    const std::int64_t thumbWidth = settings.ThumbWidth;
    const std::int64_t thumbHeight = settings.ThumbHeight;
    PageGrid grid;
    grid.columns = settings.ThumbnailsPerRow;
    grid.rows = settings.RowsPerPage;
    grid.x0 = 10;
    grid.y0 = 50;
    grid.columnPitch = clamped(thumbWidth + settings.SpacingCols);
    grid.rowPitch = clamped(thumbHeight + settings.SpacingRows + lh);
    if (rows >= 2)
        grid.maxX = clamped(20 + columns * (thumbWidth + settings.SpacingCols));
    else
        grid.maxX = clamped(columns * thumbWidth + 2 * columns * settings.SpacingCols + 20);
    grid.maxY = clamped(50 + rows * thumbHeight + (rows + 1) * (settings.SpacingRows + lh));
    return grid;
}

PageGrid graphicalPageGrid(AlbumSettings& settings, int pictureWidth, int pictureHeight)
{
    const std::int32_t c = settings.ThumbnailsPerRow;
    const std::int32_t r = settings.RowsPerPage;
    if (c < 1 || r < 1)
        throw std::invalid_argument("graphicalPageGrid needs at least one row and one column");
    const std::int64_t left = textToInt(settings.Left);
    const std::int64_t right = textToInt(settings.Right);
    const std::int64_t top = textToInt(settings.Top);
    const std::int64_t bottom = textToInt(settings.Bottom);
    const std::int64_t lh = effectiveLabelHeight(settings);

    settings.ThumbWidth = clamped((pictureWidth - left - right - std::int64_t{settings.SpacingCols} * (c - 1)) / c);
    settings.ThumbHeight = clamped((pictureHeight - top - bottom - (settings.SpacingRows + lh) * (r - 1)) / r);

    PageGrid grid;
    grid.x0 = clamped(left);
    grid.y0 = clamped(top);
    grid.maxX = clamped(pictureWidth - right);
    grid.maxY = clamped(pictureHeight - bottom);
    grid.columnPitch = clamped(std::int64_t{settings.ThumbWidth} + settings.SpacingCols);
    grid.rowPitch = clamped(settings.ThumbHeight + settings.SpacingRows + lh);
    grid.rows = countFitting(grid.y0, grid.rowPitch, settings.ThumbHeight, grid.maxY);
    grid.columns = countFitting(grid.x0, grid.columnPitch, settings.ThumbWidth, grid.maxX);
    if (grid.rows == 0 || grid.columns == 0)
        grid.rows = grid.columns = 0;
    return grid;
}

} // namespace pictaven
