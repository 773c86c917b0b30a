#include "TemplateGrid.h"

namespace pictaven::makedata {

TemplateGrid gridOf(const TemplateLayout& l)
{
    TemplateGrid grid;
    grid.thumbWidth = (l.width - l.left - l.right - l.spacingCols * (l.columns - 1)) / l.columns;
    grid.thumbHeight = (l.height - l.top - l.bottom - (l.spacingRows + l.labelHeight) * (l.rows - 1)) / l.rows;
    const int maxX = l.width - l.right;
    const int maxY = l.height - l.bottom;
    for (int x = l.left; x + grid.thumbWidth <= maxX; x += grid.thumbWidth + l.spacingCols)
        grid.columnX.push_back(x);
    for (int y = l.top; y + grid.thumbHeight <= maxY; y += grid.thumbHeight + l.spacingRows + l.labelHeight)
        grid.rowY.push_back(y);
    return grid;
}

} // namespace pictaven::makedata
