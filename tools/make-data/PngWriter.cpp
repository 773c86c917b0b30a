#include "PngWriter.h"

#include "ini/IoError.h"
#include "ini/SafeFileWriter.h"

#include <png.h>

#include <vector>

namespace pictaven::makedata {

void writePng(const Canvas& canvas, const std::string& path)
{
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(canvas.width()) * static_cast<std::size_t>(canvas.height()) * 4);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgba p = canvas.pixel(x, y);
            for (const float part : {p.red, p.green, p.blue, p.alpha})
                pixels.push_back(toByte(part));
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.width());
    image.height = static_cast<png_uint_32>(canvas.height());
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw IoError(path + ": " + image.message);
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
        throw IoError(path + ": " + image.message);
    bytes.resize(size);
    SafeFileWriter::writeFile(path, bytes);
}

} // namespace pictaven::makedata
