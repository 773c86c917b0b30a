#include "RenderFixtures.h"

#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

namespace pictaven::test {

Bitmap detailedPicture(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, {static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>((x / 8 + y / 8) % 2 * 200 + 20),
                                   static_cast<std::uint8_t>(y * 255 / height)});
    return bitmap;
}

std::string writeJpegPhoto(const std::string& folder, const std::string& name, const Bitmap& picture)
{
    const std::string path = folder + name;
    writeJpeg(picture, path, 90);
    return path;
}

std::string writePpmPhoto(const std::string& folder, const std::string& name, const Bitmap& picture)
{
    std::string bytes = "P6\n" + std::to_string(picture.width()) + " " + std::to_string(picture.height()) + "\n255\n";
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            bytes += static_cast<char>(c.red);
            bytes += static_cast<char>(c.green);
            bytes += static_cast<char>(c.blue);
        }
    const std::string path = folder + name;
    writeFile(path, bytes);
    return path;
}

AlbumJob renderJob(const std::string& programFolder, const std::string& outputFolder)
{
    AlbumJob job;
    job.programFolder = programFolder;
    job.outputFolder = outputFolder;
    return job;
}

} // namespace pictaven::test
