#include "imaging/RotateBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstddef>

namespace pictaven {

namespace {

// Square tiles keep both the reads and the writes of a quarter turn within the cache.
constexpr int Tile = 64;

// Writes a width x height destination whose pixel (r, c) is the source pixel at byte offset
// firstOffset(r) + c * step.
template <typename FirstOffset>
void turn(const Bitmap& original, Bitmap& destination, int width, int height, FirstOffset firstOffset,
          std::ptrdiff_t step)
{
    const Bitmap copy = &original == &destination ? original : Bitmap();
    const Bitmap& source = &original == &destination ? copy : original;
    if (destination.bitsPerPixel() != 32 || destination.width() != width || destination.height() != height)
        destination = Bitmap(width, height, 32);
    const std::uint8_t* in = source.data();
    for (int r0 = 0; r0 < height; r0 += Tile)
        for (int c0 = 0; c0 < width; c0 += Tile) {
            const int r1 = std::min(r0 + Tile, height);
            const int c1 = std::min(c0 + Tile, width);
            for (int r = r0; r < r1; ++r) {
                std::ptrdiff_t offset = firstOffset(r) + c0 * step;
                std::uint8_t* out = destination.row(r) + 4 * c0;
                for (int c = c0; c < c1; ++c, offset += step, out += 4) {
                    out[0] = in[offset];
                    out[1] = in[offset + 1];
                    out[2] = in[offset + 2];
                }
            }
        }
}

} // namespace

// Pixel (row, column) of the source lies at row * stride + column * bytes.

void rotateLeft90(const Bitmap& source, Bitmap& destination)
{
    // dst(r, c) = src(row c, column W - 1 - r).
    const auto bytes = static_cast<std::ptrdiff_t>(source.bytesPerPixel());
    const auto stride = static_cast<std::ptrdiff_t>(source.stride());
    const int w = source.width();
    turn(source, destination, source.height(), w, [=](int r) { return (w - 1 - r) * bytes; }, stride);
}

void rotateRight90(const Bitmap& source, Bitmap& destination)
{
    // dst(r, c) = src(row H - 1 - c, column r).
    const auto bytes = static_cast<std::ptrdiff_t>(source.bytesPerPixel());
    const auto stride = static_cast<std::ptrdiff_t>(source.stride());
    const int h = source.height();
    turn(source, destination, h, source.width(), [=](int r) { return (h - 1) * stride + r * bytes; }, -stride);
}

void rotate180(const Bitmap& source, Bitmap& destination)
{
    // dst(r, c) = src(row H - 1 - r, column W - 1 - c).
    const auto bytes = static_cast<std::ptrdiff_t>(source.bytesPerPixel());
    const auto stride = static_cast<std::ptrdiff_t>(source.stride());
    const int w = source.width();
    const int h = source.height();
    turn(source, destination, w, h, [=](int r) { return (h - 1 - r) * stride + (w - 1) * bytes; }, -bytes);
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

void mirrorBitmap(Bitmap& picture)
{
    const int bytes = picture.bytesPerPixel();
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* left = picture.row(y);
        std::uint8_t* right = left + (picture.width() - 1) * bytes;
        for (; left < right; left += bytes, right -= bytes)
            std::swap_ranges(left, left + bytes, right);
    }
}

void orientBitmap(Bitmap& picture, int rotation, bool mirrored)
{
    if (rotation > 0)
        rotateBitmap(picture, picture, rotation);
    if (mirrored)
        mirrorBitmap(picture);
}

} // namespace pictaven
