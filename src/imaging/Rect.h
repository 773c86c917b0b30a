#pragma once

namespace pictaven {

// A rectangle of pixels: columns left to right - 1, rows top to bottom - 1 (right and bottom
// lie just outside). A rectangle whose right is not greater than left, or bottom not greater
// than top, holds no pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

} // namespace pictaven
