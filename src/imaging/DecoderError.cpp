#include "imaging/DecoderError.h"

#include <algorithm>

namespace pictaven {

DecoderError::DecoderError(const std::string& name, const std::string& reason)
    : std::runtime_error(name + ": " + reason)
{
}

void checkPictureSize(std::int64_t width, std::int64_t height, const std::string& name)
{
    if (width <= 0 || height <= 0)
        throw DecoderError(name, "empty picture (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    try {
        Bitmap::checkSize(width, height);
    } catch (const std::exception& error) {
        throw DecoderError(name, error.what());
    }
}

std::uint64_t leastEncodedBytes(std::uint64_t rawBytes, std::uint64_t bestRatio)
{
    return rawBytes / bestRatio + (rawBytes % bestRatio != 0 ? 1 : 0);
}

void checkDataHolds(std::uint64_t available, std::uint64_t rawBytes, std::uint64_t bestRatio, const std::string& name,
                    const char* format)
{
    if (available < leastEncodedBytes(rawBytes, bestRatio))
        throw DecoderError(name, std::string("truncated ") + format + " file");
}

Bitmap allocatePicture(std::int64_t width, std::int64_t height, const std::string& name, std::uint8_t fill)
{
    checkPictureSize(width, height, name);
    Bitmap bitmap(static_cast<int>(width), static_cast<int>(height), 24);
    if (fill != 0)
        std::fill(bitmap.data(), bitmap.data() + bitmap.stride() * bitmap.height(), fill);
    return bitmap;
}

} // namespace pictaven
