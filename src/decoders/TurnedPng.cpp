#include "decoders/TurnedPng.h"

#include "decoders/FileBytes.h"
#include "imaging/Bitmap.h"
#include "imaging/TurnPixels.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace pictaven {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw std::runtime_error(path + ": " + reason);
}

// Frees libpng's state on every way out.
struct ImageGuard {
    png_image& image;
    ~ImageGuard() { png_image_free(&image); }
};

} // namespace

void writeTurnedPng(const std::string& source, const std::string& target, int rotation)
{
    if (rotation < 1 || rotation > 3)
        fail(source, "unknown rotation " + std::to_string(rotation));
    const std::vector<std::uint8_t> bytes = readFileBytes(source);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const ImageGuard guard{image};
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        fail(source, image.message);
    Bitmap::checkSize(image.width, image.height);
    // Eight bits a channel, grey or colour, with alpha when the picture has any transparency.
    image.format &= PNG_FORMAT_FLAG_COLOR | PNG_FORMAT_FLAG_ALPHA;
    const int channels = static_cast<int>(PNG_IMAGE_PIXEL_CHANNELS(image.format));
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        fail(source, image.message);
    const std::vector<std::uint8_t> turned = turnPixels(pixels, width, height, channels, rotation);

    png_image output{};
    output.version = PNG_IMAGE_VERSION;
    const ImageGuard outputGuard{output};
    const bool quarter = rotation != 3;
    output.width = static_cast<png_uint_32>(quarter ? height : width);
    output.height = static_cast<png_uint_32>(quarter ? width : height);
    output.format = image.format;
    if (!png_image_write_to_file(&output, target.c_str(), 0, turned.data(), 0, nullptr)) {
        std::remove(target.c_str());
        fail(target, output.message);
    }
}

} // namespace pictaven
