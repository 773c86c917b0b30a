#pragma once

#include <vector>

namespace pictaven::makedata {

// What a picture template's settings say about its thumbnail grid, in pixels.
struct TemplateLayout {
    int width = 0; // of the background picture
    int height = 0;
    int left = 0; // border offsets
    int right = 0;
    int top = 0;
    int bottom = 0;
    int spacingCols = 0;
    int spacingRows = 0;
    int columns = 0; // thumbnails per row
    int rows = 0;    // rows per page
    int labelHeight = 0; // 0 without labels
};

// Where generation puts the thumbnails on the picture: the cell size it derives from the
// layout and the top-left corner of every row and column that fits.
struct TemplateGrid {
    int thumbWidth = 0;
    int thumbHeight = 0;
    std::vector<int> columnX;
    std::vector<int> rowY;
};

// The grid as album generation lays it out for a picture template. Requires at least one
// column and one row in the layout.
TemplateGrid gridOf(const TemplateLayout& layout);

} // namespace pictaven::makedata
