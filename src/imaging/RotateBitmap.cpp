#include "imaging/RotateBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pictaven {

namespace {

// Square tiles keep both the reads and the writes of a quarter turn within the cache.
constexpr int Tile = 64;

// Calls copy(destinationRow, destinationColumn) for every pixel of a width x height picture,
// tile by tile.
template <typename Copy>
void forEachPixelTiled(int width, int height, Copy copy)
{
    for (int r0 = 0; r0 < height; r0 += Tile)
        for (int c0 = 0; c0 < width; c0 += Tile)
            for (int r = r0; r < std::min(r0 + Tile, height); ++r)
                for (int c = c0; c < std::min(c0 + Tile, width); ++c)
                    copy(r, c);
}

// sourceRow and sourceColumn give the source pixel of each destination pixel.
template <typename SourceOf>
void turn(const Bitmap& original, Bitmap& destination, int width, int height, SourceOf sourceOf)
{
    const Bitmap copy = &original == &destination ? original : Bitmap();
    const Bitmap& source = &original == &destination ? copy : original;
    if (destination.bitsPerPixel() != 32 || destination.width() != width || destination.height() != height)
        destination = Bitmap(width, height, 32);
    const int inBytes = source.bytesPerPixel();
    forEachPixelTiled(width, height, [&](int r, int c) {
        const auto [sr, sc] = sourceOf(r, c);
        std::memcpy(destination.row(r) + 4 * c, source.row(sr) + inBytes * sc, 3);
    });
}

struct Position {
    int row;
    int column;
};

} // namespace

void rotateLeft90(const Bitmap& source, Bitmap& destination)
{
    const int w = source.width();
    turn(source, destination, source.height(), w, [w](int r, int c) { return Position{c, w - 1 - r}; });
}

void rotateRight90(const Bitmap& source, Bitmap& destination)
{
    const int h = source.height();
    turn(source, destination, h, source.width(), [h](int r, int c) { return Position{h - 1 - c, r}; });
}

void rotate180(const Bitmap& source, Bitmap& destination)
{
    const int w = source.width();
    const int h = source.height();
    turn(source, destination, w, h, [w, h](int r, int c) { return Position{h - 1 - r, w - 1 - c}; });
}

void rotateBitmap(const Bitmap& source, Bitmap& destination, int rotation)
{
    switch (rotation) {
    case 1:
        rotateLeft90(source, destination);
        break;
    case 2:
        rotateRight90(source, destination);
        break;
    case 3:
        rotate180(source, destination);
        break;
    default:
        break;
    }
}

} // namespace pictaven
