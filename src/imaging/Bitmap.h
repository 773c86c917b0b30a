#pragma once

#include "imaging/Colour.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictaven {

// W x H pixels, rows top to bottom, each pixel blue, green, red (and alpha at 32 bits).
// Rows are packed without padding: row y starts at y * stride().
class Bitmap {
public:
    // Largest picture the program agrees to hold; checked before any allocation.
    static constexpr int MaxSide = 30000;
    static constexpr std::int64_t MaxPixels = 200'000'000;

    Bitmap() = default;
    // Throws std::length_error for a size beyond the limits or a negative size, and
    // std::invalid_argument for a depth other than 24 or 32. New pixels are zero (black).
    Bitmap(int width, int height, int bitsPerPixel = 24);

    // Throws like the constructor, without allocating; decoders call it on header values.
    static void checkSize(std::int64_t width, std::int64_t height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int bitsPerPixel() const { return m_bytesPerPixel * 8; }
    int bytesPerPixel() const { return m_bytesPerPixel; }
    std::size_t stride() const { return static_cast<std::size_t>(m_width) * m_bytesPerPixel; }
    bool empty() const { return m_width == 0 || m_height == 0; }

    std::uint8_t* row(int y) { return m_pixels.data() + y * stride(); }
    const std::uint8_t* row(int y) const { return m_pixels.data() + y * stride(); }
    std::uint8_t* data() { return m_pixels.data(); }
    const std::uint8_t* data() const { return m_pixels.data(); }

    // The colour bytes of one pixel; (x, y) must lie inside the bitmap.
    Colour pixel(int x, int y) const
    {
        const std::uint8_t* p = row(y) + x * m_bytesPerPixel;
        return {p[0], p[1], p[2]};
    }
    void setPixel(int x, int y, Colour colour)
    {
        std::uint8_t* p = row(y) + x * m_bytesPerPixel;
        p[0] = colour.blue;
        p[1] = colour.green;
        p[2] = colour.red;
    }

    // A copy at 24 or 32 bits a pixel with the same colour bytes (a new fourth byte is zero).
    // Throws std::invalid_argument for another depth.
    Bitmap withDepth(int bitsPerPixel) const;

    bool operator==(const Bitmap& other) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerPixel = 3;
    std::vector<std::uint8_t> m_pixels;
};

} // namespace pictaven
