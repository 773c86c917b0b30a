#pragma once

namespace pictaven {

// Geometry of one index page, in pixels, as the generation driver computes it for the album
// kind. Plain data: the index page writer places its cells by it, and for a basic album maxX
// is the table width and maxX by maxY the album frame of the frame-set page.
struct PageGrid {
    int x0 = 0; // origin of the first cell
    int y0 = 0;
    int maxX = 0; // limits of the cell area
    int maxY = 0;
    int columnPitch = 0; // ThumbWidth + SpacingCols
    int rowPitch = 0;    // ThumbHeight + SpacingRows + the label height when labels are on
    int rows = 0;
    int columns = 0;

    int pageSize() const { return rows * columns; }
    int columnX(int column) const { return x0 + column * columnPitch; }
    int rowY(int row) const { return y0 + row * rowPitch; }
};

} // namespace pictaven
