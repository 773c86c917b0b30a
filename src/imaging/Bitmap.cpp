#include "imaging/Bitmap.h"

#include <stdexcept>
#include <string>

namespace pictaven {

void Bitmap::checkSize(std::int64_t width, std::int64_t height)
{
    if (width < 0 || height < 0 || width > MaxSide || height > MaxSide || width * height > MaxPixels)
        throw std::length_error("Picture size " + std::to_string(width) + " x " + std::to_string(height) +
                                " is too large");
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel)
{
    checkSize(width, height);
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        throw std::invalid_argument("Unsupported pixel depth " + std::to_string(bitsPerPixel));
    m_width = width;
    m_height = height;
    m_bytesPerPixel = bitsPerPixel / 8;
    m_pixels.assign(stride() * static_cast<std::size_t>(height), 0);
}

Bitmap Bitmap::withDepth(int bitsPerPixel) const
{
    if (bitsPerPixel == this->bitsPerPixel())
        return *this;
    Bitmap result(m_width, m_height, bitsPerPixel);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            result.setPixel(x, y, pixel(x, y));
    return result;
}

} // namespace pictaven
